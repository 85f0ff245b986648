#pragma once
#include "framework/String.h"

// The root rule: a drive root, a letter, ":" and "\" ("C:\"), is held as the drive
// alone ("C:"), so that "\" plus a name can be appended to it. Every other text stays
// as it is (a longer folder may keep a trailing "\", and a three-character folder name
// such as "abc" is a folder like any other).
CString TrimDriveRoot(StringView path);

// The inverse for handing a folder to the platform: a bare drive ("C:") names the
// current folder of that drive there, so it goes back as its root ("C:\").
// Every other text stays as it is.
CString DriveRootAsFolder(StringView path);
