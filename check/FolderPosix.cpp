#include <dirent.h>
#include <sys/stat.h>

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
