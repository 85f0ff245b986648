// Drives the real ZEZADERI.EXE from outside its process, as a user would: finds its
// windows, reads texts and states, presses buttons, answers message boxes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/common/TestFiles.h"

// Where the built programs and the sources are (Windows paths).
struct TestPaths {
  std::string bin;       // build folder of the tests: standin.exe
  std::string app;       // folder of the ZEZADERI.EXE under test
  std::string src;       // source tree
  std::string arj;       // the real decompressor, ARJ.EXE (tools/arj/build-arj.sh)
  std::string archives;  // archives made by Linux arj (tests/fixtures/make-real-archives.sh)
  std::string demo;      // the demo package (tools/make-demo-package.sh)
};
extern TestPaths g_paths;

// The installer's source folder in a test.
using SourceFolder = TempFolder;

// One run of the installer.
class Installer {
 public:
  // Starts ZEZADERI.EXE with the given folder as its current directory. Another
  // program of the folder under test, with arguments after its quoted name and a show
  // state for its window (none: -1), may be given; a program given by its full path
  // ("T:\...") is started from there, its name unquoted.
  explicit Installer(const std::string& startFolder, const std::string& program = "ZEZADERI.EXE",
                     const std::string& arguments = "", int show = -1);
  ~Installer();  // ends the process if it still runs

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
};

std::string Text(HWND hWnd);
std::string ControlText(HWND dialog, int id);
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
