// CWinApp: the one application object. The framework's WinMain calls its start-up
// step and, when that returns false, goes straight to its exit processing.
#pragma once
#include <windows.h>

#include "framework/CmdTarget.h"
#include "framework/String.h"

class CWnd;

constexpr UINT ID_HELP = 0xE146;  // the framework's standard Help command (57670)

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(const char* lpszAppName = nullptr);
  ~CWinApp() override;

  HINSTANCE m_hInstance = nullptr;
  // The application's name: the one given to the constructor, or else the program
  // file's name without its extension. Caption of the framework's own messages.
  CString m_strAppName;
  // The main window: its destruction ends the application's message processing.
  CWnd* m_pMainWnd = nullptr;

  virtual BOOL InitInstance();
  // Exit processing; returns the process exit status, taken from the quit request.
  virtual int ExitInstance();

  // Switches on the three-dimensional look of dialog controls. Systems of version 4
  // and later draw them themselves, so there it does nothing.
  BOOL Enable3dControlsStatic();

  // Notes the exit code of the first quit request that a message loop received.
  void NoteQuitRequest(int nExitCode);
  bool HasQuitRequest() const { return m_bQuitRequested; }
  void ForgetQuitRequest() { m_bQuitRequested = false; }

  // Framework start-up shared by WinMain and test programs.
  void InitApplication(HINSTANCE hInstance);

  void OnHelp();

 private:
  const char* m_pszGivenName;
  bool m_bQuitRequested = false;
  int m_nQuitCode = 0;

  DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// True on the Windows 95 family (95, 98, Me), false on the NT family. The families
// differ in how they report a child's exit: NT through its primary thread, the 95
// family through its process.
bool AfxIsWin95Family();
