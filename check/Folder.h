// The small part of the file system the checker needs: listing a folder. One
// implementation over POSIX (FolderPosix.cpp), one over Win32 (FolderWin32.cpp).
#pragma once
#include <string>
#include <vector>

struct FolderEntry {
  std::string name;
  bool isFolder = false;
};

// The folder's entries without "." and ".."; false when it cannot be listed.
bool ListFolder(const std::string& path, std::vector<FolderEntry>* entries);

// The platform's separator between a folder and a name in it.
extern const char kPathSeparator;

inline std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder[folder.size() - 1];
  if (last == '/' || last == kPathSeparator) return folder + name;
  return folder + kPathSeparator + name;
}
