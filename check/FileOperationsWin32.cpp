#include <windows.h>

#include "check/FileOperations.h"
#include "check/Folder.h"

// Paths are in the system's ANSI code page, read by character: a trail byte 0x5C is no
// separator.

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
  const CodePage cp = DefaultCodePage();
  while (absolute->size() > 3 && (cp.EndsWith(*absolute, '\\') || cp.EndsWith(*absolute, '/'))) {
    absolute->pop_back();
  }
  return true;
}

bool IsWithin(const std::string& inner, const std::string& outer) {
  const CodePage cp = DefaultCodePage();
  if (inner.size() < outer.size() ||
      cp.FoldedCase(inner.substr(0, outer.size())) != cp.FoldedCase(outer)) {
    return false;
  }
  return inner.size() == outer.size() || outer.empty() || cp.EndsWith(outer, '\\') ||
         inner[outer.size()] == '\\';
}

std::string ProgramPath(const std::string& program) {
  const CodePage cp = DefaultCodePage();
  char full[MAX_PATH * 4];
  char* name = nullptr;
  if (cp.FindFirstOf(program, "\\/:") != std::string::npos) {
    const DWORD n = GetFullPathNameA(program.c_str(), sizeof full, full, &name);
    return n > 0 && n < sizeof full ? std::string(full, n) : program;
  }
  char path[32767];
  const DWORD length = GetEnvironmentVariableA("PATH", path, sizeof path);
  const std::string search =
      std::string(".;") + (length > 0 && length < sizeof path ? path : "");
  const DWORD n = SearchPathA(search.c_str(), program.c_str(), ".exe", sizeof full, full, &name);
  return n > 0 && n < sizeof full ? std::string(full, n) : program;
}

std::string ProgramFolder() {
  char path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return ".";
  const std::string file(path, n);
  const size_t cut = DefaultCodePage().FindLastOf(file, "\\/");
  return cut == std::string::npos ? "." : file.substr(0, cut);
}
