// The small part of the file system the checker needs: listing a folder, a file's size
// and a position in it, both in 64 bits. One implementation over POSIX
// (FolderPosix.cpp), one over Win32 (FolderWin32.cpp).
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct FolderEntry {
  std::string name;
  bool isFolder = false;
};

// The folder's entries without "." and ".."; false when it cannot be listed.
bool ListFolder(const std::string& path, std::vector<FolderEntry>* entries);

// The size of the file at `path`; false when there is none or it cannot be measured.
bool MeasureFile(const std::string& path, uint64_t* size);

// Moves a stdio stream to a byte position from its start. (fseek takes a long, which
// has 32 bits on Windows: volumes of 2 GiB and more need this.)
bool SeekFile(std::FILE* file, uint64_t offset);

// The platform's separator between a folder and a name in it.
extern const char kPathSeparator;

inline std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder[folder.size() - 1];
  if (last == '/' || last == kPathSeparator) return folder + name;
  return folder + kPathSeparator + name;
}
