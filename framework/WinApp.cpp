#include "framework/WinApp.h"

#include "crt/SystemFolder.h"
#include "framework/SystemCodePages.h"

namespace {
CWinApp* g_pApp = nullptr;

// The common controls are loaded, not imported: a DLL the program imports is looked for
// beside it first, before the program could restrict the search (crt/DllSearch.cpp).
// From Vista on, the system's side-by-side redirection takes the name to the system's
// own copy; before, the system folder's copy is loaded by its path.
void InitCommonControlsLibrary() {
  const DWORD version = ::GetVersion();
  const bool sideBySide = (version & 0x80000000u) == 0 && LOBYTE(LOWORD(version)) >= 6;
  const HMODULE library = sideBySide ? ::LoadLibraryA("COMCTL32.DLL") : LoadSystemLibrary("COMCTL32.DLL");
  if (library == nullptr) return;
  using InitCommonControlsFunction = void(WINAPI*)();
  const auto init =
      reinterpret_cast<InitCommonControlsFunction>(::GetProcAddress(library, "InitCommonControls"));
  if (init != nullptr) init();
}
}  // namespace

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* lpszAppName) : m_pszGivenName(lpszAppName) { g_pApp = this; }

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

void CWinApp::InitApplication(HINSTANCE hInstance) {
  m_hInstance = hInstance;
  if (m_pszGivenName != nullptr) {
    m_strAppName = m_pszGivenName;
  } else {
    char path[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameA(hInstance, path, MAX_PATH);
    // The program file's name without its folder and extension, read by character.
    const CodePage& cp = AfxAnsiCodePage();
    CString name(path, n);
    size_t slash = cp.FindLastOf(name, "\\/:");
    if (slash != CString::npos) name.erase(0, slash + 1);
    size_t dot = cp.FindLastOf(name, ".");
    if (dot != CString::npos) name.erase(dot);
    m_strAppName = name;
  }
  // The progress bar and the animation control are among the first common controls.
  InitCommonControlsLibrary();
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  if (m_bQuitRequested) return m_nQuitCode;
  MSG msg;
  if (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return (int)msg.wParam;
  return 0;
}

BOOL CWinApp::Enable3dControlsStatic() {
  // Systems of version 4 and later draw three-dimensional controls themselves; older
  // ones would need a 3-D control library, which this framework does not carry.
  return FALSE;
}

void CWinApp::NoteQuitRequest(int nExitCode) {
  if (m_bQuitRequested) return;
  m_bQuitRequested = true;
  m_nQuitCode = nExitCode;
}

void CWinApp::OnHelp() {
  // The program has no help content.
}

bool AfxIsWin95Family() { return (::GetVersion() & 0x80000000u) != 0; }
