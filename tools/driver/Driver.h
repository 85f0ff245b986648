// Drives a Windows program from outside its process, as a user would: starts it, finds
// its windows, reads texts and states, presses buttons, answers message boxes. The
// end-to-end tests and the installation driver (vordrive) drive ZEZADERI.EXE with it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One run of a program.
class DrivenProgram {
 public:
  // Starts the program at that path with the given folder as its current directory,
  // with arguments after its path (in quotes unless quoted is false) and a show state
  // for its window (none: -1).
  DrivenProgram(const std::string& path, const std::string& startFolder,
                const std::string& arguments = "", int show = -1, bool quoted = true);
  ~DrivenProgram();  // ends the process if it still runs
  DrivenProgram(const DrivenProgram&) = delete;
  DrivenProgram& operator=(const DrivenProgram&) = delete;

  bool Started() const { return m_pi.hProcess != nullptr; }
  // Why it did not start: "cannot start PATH: error N".
  const std::string& StartError() const { return m_startError; }
  DWORD Pid() const { return m_pi.dwProcessId; }
  // Waits for the process to end; returns its exit status, or STILL_ACTIVE on time-out.
  DWORD WaitForExit(DWORD timeoutMs = 10000);
  bool Running() const;

  // Waits for a visible top-level window of this process with that caption.
  HWND WaitForWindow(const std::string& caption, DWORD timeoutMs = 10000) const;
  // The main dialog ("VOR Custom Installer").
  HWND MainDialog(DWORD timeoutMs = 10000) const { return WaitForWindow("VOR Custom Installer", timeoutMs); }
  // Every visible top-level window of the process.
  std::vector<HWND> Windows() const;

 private:
  PROCESS_INFORMATION m_pi = {};
  std::string m_startError;
};

std::string Text(HWND hWnd);
std::string ControlText(HWND dialog, int id);
// A text of the system's ANSI code page (a caption, a typed folder) in UTF-8, for a
// terminal: read by character, so a double-byte character stays whole.
std::string Utf8(const std::string& ansi);
// A window's text as the screen shows it, in UTF-8: in a static text that takes "&" as
// a prefix (one without SS_NOPREFIX), "&&" shows as "&" and a single "&" is not shown
// (it underlines the character after it).
std::string ShownText(HWND hWnd);
bool ControlEnabled(HWND dialog, int id);
// Presses a button the way a click does: BN_CLICKED from the control to its dialog.
void Click(HWND dialog, int id);
// The window that has the keyboard focus in the thread that owns hWnd.
HWND FocusOf(HWND hWnd);
// Types a key into the window that has the focus in hWnd's thread.
void PressKey(HWND hWnd, UINT vk);

// A message box: its text (static 0xFFFF), whether it shows an icon, its buttons.
struct MessageBoxView {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
  bool hasIcon = false;
  std::vector<int> buttons;
};
MessageBoxView ReadMessageBox(HWND box);
// Whether a window is a message box: a dialog with a text static of id 0xFFFF.
bool IsMessageBox(HWND hWnd);

// A path as a Windows program takes it: a Unix path ("/work/x") becomes one on drive
// Z: ("Z:\work\x"), which is how Wine shows the Unix file system; no trailing
// backslash but for a root.
std::string WindowsPath(std::string path);

// Waits until the condition holds or the time is up.
template <class F>
bool WaitUntil(F condition, DWORD timeoutMs = 10000) {
  DWORD end = ::GetTickCount() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if ((LONG)(::GetTickCount() - end) > 0) return false;
    ::Sleep(20);
  }
}
