// The threads of the processes a program started, to hold them still for a moment:
// vordrive holds the decompressor while it takes the progress dialog's picture, so that
// the picture shows an installation under way even where the decompressor needs only
// milliseconds.
#pragma once
#include <windows.h>

#include <vector>

class ChildThreads {
 public:
  // The threads of every process that the program with this id has started and that
  // still runs.
  explicit ChildThreads(DWORD parentPid);
  ~ChildThreads();  // resumes what it suspended
  ChildThreads(const ChildThreads&) = delete;
  ChildThreads& operator=(const ChildThreads&) = delete;

  bool Empty() const { return m_threads.empty(); }
  // Suspends them; returns how many were suspended (none when they have ended).
  size_t Suspend();
  void Resume();

 private:
  struct Thread {
    HANDLE handle;
    bool suspended;
  };
  std::vector<Thread> m_threads;
};
