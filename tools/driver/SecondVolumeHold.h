// Holds the installer's decompressor still once it has reached its second volume and
// named a file in it, so that a picture of the progress dialog shows an installation
// under way: the demo's decompressor unpacks the whole package in milliseconds, before
// the dialog has even drawn itself. The log is watched from a thread of its own (the
// driver's looks at the windows wait while the installer is busy starting the
// decompressor). A decompressor caught at its first volume is let go on a millisecond
// at a time until it reaches the second.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "tools/driver/ChildThreads.h"
#include "tools/driver/LogFollower.h"

class SecondVolumeHold {
 public:
  // Watches the log at that path for the decompressor that the installer starts.
  SecondVolumeHold(DWORD installerPid, const std::string& logPath);
  ~SecondVolumeHold();  // stops watching and lets the decompressor go on
  SecondVolumeHold(const SecondVolumeHold&) = delete;
  SecondVolumeHold& operator=(const SecondVolumeHold&) = delete;

  // Whether the decompressor is held now (never, if it ended first).
  bool Held() const { return ::InterlockedCompareExchange(&m_held, 0, 0) != 0; }
  // The volumes its log had announced when it was held.
  int Volumes() const { return m_log.Volumes(); }
  // Lets it go on.
  void Release();

 private:
  static DWORD WINAPI Watch(void* self);
  void Watch();
  bool AtSecondVolume() const { return m_log.Volumes() >= 2 && m_log.FileSinceVolume(); }

  DWORD m_pid;
  LogFollower m_log;
  std::unique_ptr<ChildThreads> m_children;
  HANDLE m_thread = nullptr;
  mutable LONG m_held = 0;
  LONG m_stop = 0;
};
