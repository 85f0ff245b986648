// The small part of the file system the checker needs: listing a folder, opening a
// regular file with its size, and a position in it, both in 64 bits. One implementation over POSIX
// (FolderPosix.cpp), one over Win32 (FolderWin32.cpp).
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/CodePage.h"

struct FolderEntry {
  std::string name;
  bool isFolder = false;  // a link to a folder counts as one
  bool isLink = false;    // a symbolic link (on Windows: a reparse point)
  uint64_t size = 0;      // of a file
};

// The folder's entries without "." and ".."; false when it cannot be listed. The path
// is read in the code page given.
bool ListFolder(const std::string& path, const CodePage& cp, std::vector<FolderEntry>* entries);

// Opens the regular file at `path` for reading, in binary, and measures it through the
// open file. Anything else (a folder, a FIFO, a device) is never opened for reading, so
// nothing waits on it: null, with the reason in *why.
std::FILE* OpenRegularFile(const std::string& path, uint64_t* size, std::string* why);

// Moves a stdio stream to a byte position from its start. (fseek takes a long, which
// has 32 bits on Windows: volumes of 2 GiB and more need this.)
bool SeekFile(std::FILE* file, uint64_t offset);

// The platform's separator between a folder and a name in it.
extern const char kPathSeparator;

// The code page a package's texts are read in unless told otherwise: the system's ANSI
// one on Windows; single-byte elsewhere, where file names carry no code page.
CodePage DefaultCodePage();
extern const char kDefaultCodePageName[];  // for the usage text

// folder + the separator + name; no second separator after a folder that ends in one
// (by character: a trail byte 0x5C is no separator).
inline std::string JoinPath(const std::string& folder, const std::string& name,
                            const CodePage& cp) {
  if (folder.empty()) return name;
  if (cp.EndsWith(folder, '/') || cp.EndsWith(folder, kPathSeparator)) return folder + name;
  return folder + kPathSeparator + name;
}
