// Files and folders for the Win32 and end-to-end tests.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "\\" + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  void CopyIn(const std::string& from, const std::string& name) const;
  // Copies every file directly in that folder (not its subfolders) in under its name.
  void CopyFilesIn(const std::string& fromFolder) const;

 private:
  std::string m_path;
};

std::string ReadWholeFile(const std::string& path);  // empty when it cannot be read
void WriteWholeFile(const std::string& path, const std::string& bytes);  // a test failure if not
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool RemoveTree(const std::string& path);
// Every file under a folder, as paths relative to it ("sub\\name"), sorted; empty when
// the folder cannot be read.
std::vector<std::string> FilesUnder(const std::string& folder);
std::string CurrentDirectory();

// The key=value lines of a stand-in's report; empty when there is none.
std::map<std::string, std::string> ReadReport(const std::string& path);
