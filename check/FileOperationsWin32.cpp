#include <windows.h>

#include "check/FileOperations.h"
#include "config/ProfileFile.h"

PathKind KindOfPath(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::None;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }
bool RemoveFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool AbsolutePath(const std::string& path, std::string* absolute) {
  char full[MAX_PATH * 4];
  char* name = nullptr;
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, &name);
  if (n == 0 || n >= sizeof full || KindOfPath(full) == PathKind::None) return false;
  *absolute = std::string(full, n);
  // "C:\Games\" and "C:\Games" are one folder; a drive root keeps its separator.
  while (absolute->size() > 3 && (absolute->back() == '\\' || absolute->back() == '/')) {
    absolute->pop_back();
  }
  return true;
}

bool IsWithin(const std::string& inner, const std::string& outer) {
  if (inner.size() < outer.size() || !ProfileFile::SameName(inner.substr(0, outer.size()), outer))
    return false;
  const char last = outer.empty() ? '\\' : outer.back();
  return inner.size() == outer.size() || last == '\\' || inner[outer.size()] == '\\';
}

std::string ProgramFolder() {
  char path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return ".";
  const std::string file(path, n);
  const size_t cut = file.find_last_of("\\/");
  return cut == std::string::npos ? "." : file.substr(0, cut);
}
