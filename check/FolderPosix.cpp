// 64-bit file positions where off_t would otherwise have 32 bits.
#define _FILE_OFFSET_BITS 64

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include "check/Folder.h"

const char kPathSeparator = '/';

bool ListFolder(const std::string& path, std::vector<FolderEntry>* entries) {
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return false;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    FolderEntry entry;
    entry.name = name;
    entry.isFolder = stat(JoinPath(path, name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    entries->push_back(entry);
  }
  closedir(dir);
  return true;
}

bool MeasureFile(const std::string& path, uint64_t* size) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) return false;
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

bool SeekFile(std::FILE* file, uint64_t offset) {
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}
