#include "framework/FrameWnd.h"

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

LPCSTR CFrameWnd::StandardClass() {
  return RegisterClassOnce("VorFrame", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                           ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1),
                           ::LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION));
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCSTR lpszMenuName,
                       DWORD dwExStyle) {
  if (lpszClassName == nullptr) lpszClassName = StandardClass();
  HMENU hMenu = nullptr;
  if (lpszMenuName != nullptr) {
    hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), lpszMenuName);
    if (hMenu == nullptr) {
      PostNcDestroy();  // the same contract as a failed window: the object is gone
      return FALSE;
    }
  }
  // Menu handles, like every user-interface handle, carry 32 significant bits also
  // in 64-bit programs, so the id argument can hold one.
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect,
                SafeHwnd(pParentWnd), (UINT)(UINT_PTR)hMenu)) {
    if (hMenu != nullptr) ::DestroyMenu(hMenu);
    return FALSE;  // CreateEx has deleted the object
  }
  // The pane made during WM_CREATE gets the client area before the frame is shown.
  RecalcLayout();
  return TRUE;
}

void CFrameWnd::RecalcLayout() {
  if (m_hWnd == nullptr) return;
  HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
  if (pane == nullptr) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::SetWindowPos(pane, nullptr, 0, 0, client.right, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::OnSize(UINT nType, int, int) {
  Default();
  // A minimised frame keeps its pane as it was, so the pane's scroll state survives.
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(HWND) { Default(); }

void CFrameWnd::PostNcDestroy() { delete this; }
