#pragma once

#include "framework/CodePage.h"
#include "framework/String.h"

// Portable side of "Remove Install Directory": the shell's source list and a
// check that keeps whole drives, share roots and the like away from the
// shell's recursive delete.

inline constexpr char kRemovalCaption[] = "Remove Install Directory";

// dir followed by two NUL characters, the shell's form of a one-name list.
// The result holds both NULs (size dir.size() + 2); nothing is cut.
CString BuildDeleteSourceList(StringView dir);

enum class RemovalRefusal {
  None,                  // may be removed
  EmptyText,             // ""
  NoFolderName,          // only blanks
  InvalidCharacters,     // wildcards (* ? < > ") or control characters
  WholeDrive,            // "C:", "C:\", "\", "C:\GAMES\..", only separators
  NetworkShareRoot,      // "\\server\share", "\\server"
  CurrentOrParentFolder  // ".", "..", "games\.."
};

// Decides whether dir may be handed to the recursive delete. '\' and '/'
// both separate; leading and trailing blanks, "." components, components of
// nothing but dots and blanks, and ".." components are resolved the way the
// platform resolves them before the check, so "C:\GAMES\.." and "C:\ " are
// refused as whole drives. A folder inside a drive or share, absolute or
// relative, is allowed. The path is read by character in the code page given (the
// system's ANSI one): a trail byte 0x5C is no separator.
RemovalRefusal CheckRemovalTarget(StringView dir, const CodePage& cp);

// The message for a refusal, "Cannot remove \"<dir>\": <reason>", or
// "Cannot remove the install folder: <reason>" for an empty dir. Control
// characters in dir are shown as '?'. Empty for RemovalRefusal::None.
CString RemovalRefusalText(StringView dir, RemovalRefusal why);
