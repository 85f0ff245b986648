#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

TempFolder::TempFolder() {
  char base[MAX_PATH];
  ::GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH + 64];
    wsprintfA(name, "%svor-test-%lu-%u", base, ::GetCurrentProcessId(), ++counter);
    if (::CreateDirectoryA(name, nullptr)) {
      m_path = name;
      break;
    }
  }
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  WriteWholeFile(File(name), bytes);
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  ::CloseHandle(h);
}

void TempFolder::CopyIn(const std::string& from, const std::string& name) const {
  ASSERT_TRUE(::CopyFileA(from.c_str(), File(name).c_str(), FALSE)) << from;
}

void TempFolder::CopyFilesIn(const std::string& fromFolder) const {
  for (const std::string& name : FilesUnder(fromFolder)) {
    if (name.find('\\') == std::string::npos) CopyIn(fromFolder + "\\" + name, name);
  }
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buf[4096];
  DWORD got = 0;
  while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  ::CloseHandle(h);
  return bytes;
}

bool FileExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((path + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(full.c_str());
      }
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
  return ::RemoveDirectoryA(path.c_str()) != 0;
}

namespace {
void CollectFiles(const std::string& folder, const std::string& prefix,
                  std::vector<std::string>& names) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CollectFiles(folder + "\\" + name, prefix + name + "\\", names);
    } else {
      names.push_back(prefix + name);
    }
  } while (::FindNextFileA(h, &fd));
  ::FindClose(h);
}
}  // namespace

std::vector<std::string> FilesUnder(const std::string& folder) {
  std::vector<std::string> names;
  CollectFiles(folder, "", names);
  std::sort(names.begin(), names.end());
  return names;
}

std::string CurrentDirectory() {
  char dir[MAX_PATH * 4];
  DWORD n = ::GetCurrentDirectoryA(sizeof dir, dir);
  return std::string(dir, n < sizeof dir ? n : 0);
}

std::map<std::string, std::string> ReadReport(const std::string& path) {
  std::map<std::string, std::string> report;
  const std::string text = ReadWholeFile(path);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eol = text.find('\n', pos);
    if (eol == std::string::npos) eol = text.size();
    std::string line = text.substr(pos, eol - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t eq = line.find('=');
    if (eq != std::string::npos) report[line.substr(0, eq)] = line.substr(eq + 1);
    pos = eol + 1;
  }
  return report;
}
