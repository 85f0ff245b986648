#include <windows.h>

#include "check/Folder.h"

const char kPathSeparator = '\\';

bool ListFolder(const std::string& path, std::vector<FolderEntry>* entries) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(JoinPath(path, "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entries->push_back(entry);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

bool MeasureFile(const std::string& path, uint64_t* size) {
  WIN32_FIND_DATAA data;
  if (path.find_first_of("*?") != std::string::npos) return false;
  HANDLE find = FindFirstFileA(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  *size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

bool SeekFile(std::FILE* file, uint64_t offset) {
  // The C runtime's fpos_t is a 64-bit byte position.
  std::fpos_t position = static_cast<std::fpos_t>(offset);
  return std::fsetpos(file, &position) == 0;
}
