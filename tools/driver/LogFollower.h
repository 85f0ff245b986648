// Reads the installer's log, VORDECOMP.LOG, as its progress dialog does (the dialog's
// own line rules), line by line as the decompressor writes it.
#pragma once
#include <windows.h>

#include <string>

class LogFollower {
 public:
  explicit LogFollower(std::string path) : m_path(std::move(path)) {}
  // Reads the lines added since the last call (none while there is no such file).
  void Read();
  // The volumes announced so far, and whether a file of the last one was named.
  int Volumes() const { return m_volumes; }
  bool FileSinceVolume() const { return m_fileSinceVolume; }

 private:
  std::string m_path;
  LONGLONG m_offset = 0;
  std::string m_pending;  // the start of a line not yet ended
  int m_volumes = 0;
  bool m_fileSinceVolume = false;
};
