// Files of the system folder by their full path. A DLL loaded by bare name is looked for
// in the program's own folder first, and an installer is started from folders that
// others can write to: the system's DLLs that the program loads itself are loaded from
// the system folder by their path.
#pragma once
#include <windows.h>

// The system folder, a backslash and the name, in path (MAX_PATH bytes); false when the
// folder is not known or the whole does not fit. The name is appended as it stands: the
// system folder never ends in a separator.
inline bool SystemFolderPath(const char* name, char* path) {
  const UINT folder = ::GetSystemDirectoryA(path, MAX_PATH);
  if (folder == 0 || folder >= MAX_PATH) return false;
  UINT length = 0;
  while (name[length] != '\0') ++length;
  if (folder + 1 + length >= MAX_PATH) return false;
  path[folder] = '\\';
  for (UINT i = 0; i <= length; ++i) path[folder + 1 + i] = name[i];
  return true;
}

// Loads a DLL of the system folder by its full path; null when it is not there.
inline HMODULE LoadSystemLibrary(const char* name) {
  char path[MAX_PATH];
  return SystemFolderPath(name, path) ? ::LoadLibraryA(path) : nullptr;
}
