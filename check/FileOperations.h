// What the package builder does to the file system beyond the checker's reading:
// telling files from folders, making and removing them, absolute paths, and where the
// running program lies. One implementation over POSIX (FileOperationsPosix.cpp), one
// over Win32 (FileOperationsWin32.cpp).
#pragma once
#include <string>

enum class PathKind { None, File, Folder };
PathKind KindOfPath(const std::string& path);

bool MakeFolder(const std::string& path);  // one level: its parent must exist
bool RemoveFile(const std::string& path);
bool RemoveFolder(const std::string& path);  // an empty one

// The absolute path of an existing file or folder (natively with links resolved);
// false when there is none.
bool AbsolutePath(const std::string& path, std::string* absolute);

// Whether the absolute path `inner` is `outer` or lies inside it, names compared as the
// platform compares them.
bool IsWithin(const std::string& inner, const std::string& outer);

// The program to start for a name the packager gave, found before a child's working
// folder is set: a path (one with a separator) as an absolute one; a bare name as a
// shell finds it (natively on the PATH; on Windows in the current folder, then on the
// PATH, never beside the running program). Unchanged when it is not found.
std::string ProgramPath(const std::string& program);

// The folder that holds the running program.
std::string ProgramFolder();
