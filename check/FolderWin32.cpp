#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "check/Folder.h"
#include "framework/SystemCodePages.h"

const char kPathSeparator = '\\';
const char kDefaultCodePageName[] = "the system's ANSI code page";

CodePage DefaultCodePage() { return AfxAnsiCodePage(); }

bool ListFolder(const std::string& path, const CodePage& cp, std::vector<FolderEntry>* entries) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(JoinPath(path, "*", cp).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entries->push_back(entry);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

std::FILE* OpenRegularFile(const std::string& path, uint64_t* size, std::string* why) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    *why = "cannot be opened";
    return nullptr;
  }
  if (GetFileType(h) != FILE_TYPE_DISK) {
    *why = "is not a regular file (a folder, a FIFO or a device): it cannot be read";
    CloseHandle(h);
    return nullptr;
  }
  DWORD high = 0;
  const DWORD low = GetFileSize(h, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    *why = "cannot be measured";
    CloseHandle(h);
    return nullptr;
  }
  // The stream takes the handle over, and closes it with itself.
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
  std::FILE* file = fd == -1 ? nullptr : _fdopen(fd, "rb");
  if (file == nullptr) {
    *why = "cannot be opened";
    if (fd == -1) CloseHandle(h); else _close(fd);
    return nullptr;
  }
  *size = (static_cast<uint64_t>(high) << 32) | low;
  return file;
}

bool SeekFile(std::FILE* file, uint64_t offset) {
  // The C runtime's fpos_t is a 64-bit byte position.
  std::fpos_t position = static_cast<std::fpos_t>(offset);
  return std::fsetpos(file, &position) == 0;
}
