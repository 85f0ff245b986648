#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "check/FileOperations.h"

PathKind KindOfPath(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return PathKind::None;
  return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::File;
}

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }
bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }
bool RemoveFolder(const std::string& path) { return rmdir(path.c_str()) == 0; }

bool AbsolutePath(const std::string& path, std::string* absolute) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return false;
  *absolute = resolved;
  free(resolved);
  return true;
}

bool IsWithin(const std::string& inner, const std::string& outer) {
  if (inner.compare(0, outer.size(), outer) != 0) return false;
  return inner.size() == outer.size() || outer == "/" || inner[outer.size()] == '/';
}

std::string ProgramPath(const std::string& program) {
  if (program.find('/') == std::string::npos) return program;  // execvp searches the PATH
  char folder[PATH_MAX];
  if (program[0] == '/' || getcwd(folder, sizeof folder) == nullptr) return program;
  return std::string(folder) + "/" + program;
}

std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string file(path, static_cast<size_t>(n));
  return file.substr(0, file.rfind('/') + (file.rfind('/') == 0 ? 1 : 0));
}
