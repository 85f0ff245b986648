#include "tools/driver/SecondVolumeHold.h"

SecondVolumeHold::SecondVolumeHold(DWORD installerPid, const std::string& logPath)
    : m_pid(installerPid), m_log(logPath) {
  m_thread = ::CreateThread(nullptr, 0, &SecondVolumeHold::Watch, this, 0, nullptr);
}

SecondVolumeHold::~SecondVolumeHold() {
  ::InterlockedExchange(&m_stop, 1);
  if (m_thread != nullptr) {
    ::WaitForSingleObject(m_thread, INFINITE);
    ::CloseHandle(m_thread);
  }
  Release();
}

void SecondVolumeHold::Release() {
  // Only once held: the watching thread has ended then and left m_children alone.
  if (::InterlockedExchange(&m_held, 0) != 0) m_children.reset();
}

DWORD WINAPI SecondVolumeHold::Watch(void* self) {
  static_cast<SecondVolumeHold*>(self)->Watch();
  return 0;
}

void SecondVolumeHold::Watch() {
  while (::InterlockedCompareExchange(&m_stop, 0, 0) == 0) {
    if (m_children == nullptr || m_children->Empty()) {
      // The decompressor's threads, found while it starts up: once its log moves,
      // there is no time left to look for them.
      m_children.reset(new ChildThreads(m_pid));
      ::Sleep(5);
      continue;
    }
    m_log.Read();
    if (m_log.Volumes() >= 1) {
      m_children->Suspend();
      for (int step = 0; step < 500 && !AtSecondVolume(); ++step) {
        m_children->Resume();
        ::Sleep(1);
        if (m_children->Suspend() == 0) break;  // it has ended
        m_log.Read();
      }
      if (m_children->Suspend() > 0) {
        ::InterlockedExchange(&m_held, 1);
      } else {
        m_children.reset();
      }
      return;
    }
    ::Sleep(1);
  }
}
