#include "tools/driver/ChildThreads.h"

#include <tlhelp32.h>

#include <algorithm>

ChildThreads::ChildThreads(DWORD parentPid) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  std::vector<DWORD> children;
  PROCESSENTRY32 process = {};
  process.dwSize = sizeof process;
  for (BOOL more = ::Process32First(snapshot, &process); more; more = ::Process32Next(snapshot, &process)) {
    if (process.th32ParentProcessID == parentPid) children.push_back(process.th32ProcessID);
  }
  THREADENTRY32 thread = {};
  thread.dwSize = sizeof thread;
  for (BOOL more = ::Thread32First(snapshot, &thread); more; more = ::Thread32Next(snapshot, &thread)) {
    if (std::find(children.begin(), children.end(), thread.th32OwnerProcessID) == children.end()) continue;
    HANDLE h = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, thread.th32ThreadID);
    if (h != nullptr) m_threads.push_back(Thread{h, false});
  }
  ::CloseHandle(snapshot);
}

ChildThreads::~ChildThreads() {
  Resume();
  for (const Thread& t : m_threads) ::CloseHandle(t.handle);
}

size_t ChildThreads::Suspend() {
  size_t count = 0;
  for (Thread& t : m_threads) {
    if (!t.suspended) t.suspended = ::SuspendThread(t.handle) != static_cast<DWORD>(-1);
    count += t.suspended;
  }
  return count;
}

void ChildThreads::Resume() {
  for (Thread& t : m_threads) {
    if (t.suspended) ::ResumeThread(t.handle);
    t.suspended = false;
  }
}
