// Helpers for the in-process Win32 tests: temporary folders, recorded message boxes and
// scripted modal dialogs.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tests/common/TestFiles.h"

class CDialog;

// Makes a folder the current directory for the scope.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& path);
  ~ScopedCurrentDirectory();

 private:
  std::string m_previous;
};

inline std::string ReadFileBytes(const std::string& path) { return ReadWholeFile(path); }

struct RecordedMessageBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT style;
};

// Replaces every message box of the program for the scope: records it and answers
// with the queued answers (IDOK when the queue is empty). A callback, if set, runs
// while the "box" is up, for checks that need the moment of showing.
class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  void Answer(int button) { m_answers.push_back(button); }
  std::function<void(const RecordedMessageBox&)> OnShow;
  std::vector<RecordedMessageBox> boxes;

 private:
  std::deque<int> m_answers;
};

// Runs a dialog modally while a script drives it: each step runs on its own timer
// tick (about 30 ms apart) inside the dialog's message loop and returns true when done,
// or false to be tried again on the next tick. After the last step the dialog is left
// to end by itself; if it has not ended within the timeout, it is cancelled and the
// test fails.
using ScriptStep = std::function<bool()>;
INT_PTR RunScripted(CDialog& dlg, std::vector<ScriptStep> steps, DWORD timeoutMs = 15000);

// Runs the thread's messages for a while (for windows outside a modal loop).
void PumpMessagesFor(DWORD ms);

// The platform's own text for an error number, without its line end.
std::string PlatformErrorText(DWORD error);

// The thread's visible top-level window with this caption, or null.
HWND FindThreadWindow(const std::string& caption);
std::string WindowText(HWND hWnd);
