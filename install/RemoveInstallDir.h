#pragma once
#include <windows.h>

#include "framework/String.h"

// Deletes the install folder with everything in it through the shell, which owns its
// confirmation, progress and error reports to hOwner. A folder that must never reach
// the shell's recursive delete (a whole drive, a share's root, an empty text) is refused
// in a message box instead. True when the removal ran without any aborted operation.
bool RemoveInstallDir(HWND hOwner, const CString& installDir);
