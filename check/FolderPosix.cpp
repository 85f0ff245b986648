#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "check/Folder.h"

const char kPathSeparator = '/';
const char kDefaultCodePageName[] = "single-byte, as 1252";

CodePage DefaultCodePage() { return CodePage(); }

bool ListFolder(const std::string& path, const CodePage& cp, std::vector<FolderEntry>* entries) {
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return false;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    const std::string full = JoinPath(path, name, cp);
    struct stat st;
    FolderEntry entry;
    entry.name = name;
    entry.isLink = lstat(full.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
    if (stat(full.c_str(), &st) == 0) {
      entry.isFolder = S_ISDIR(st.st_mode);
      entry.size = static_cast<uint64_t>(st.st_size);
    }
    entries->push_back(entry);
  }
  closedir(dir);
  return true;
}

std::FILE* OpenRegularFile(const std::string& path, uint64_t* size, std::string* why) {
  // Without O_NONBLOCK, opening a FIFO would wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *why = "cannot be opened";
    return nullptr;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
    *why = "is not a regular file (a folder, a FIFO or a device): it cannot be read";
    close(fd);
    return nullptr;
  }
  std::FILE* file = fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0 ? fdopen(fd, "rb")
                                                                              : nullptr;
  if (file == nullptr) {
    *why = "cannot be opened";
    close(fd);
    return nullptr;
  }
  *size = static_cast<uint64_t>(st.st_size);
  return file;
}

bool SeekFile(std::FILE* file, uint64_t offset) {
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}
