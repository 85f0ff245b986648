#include "framework/Wnd.h"

#include "framework/DataExchange.h"
#include "framework/WinApp.h"

namespace {

const char kObjectProp[] = "VorCWnd";

CString WindowText(HWND hWnd) {
  const int len = ::GetWindowTextLengthA(hWnd);
  CString text;
  const size_t room = static_cast<size_t>(len > 0 ? len : 0);
  const int got = ::GetWindowTextA(hWnd, text.GetBuffer(room), static_cast<int>(room + 1));
  text.ReleaseBuffer(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

MSG g_currentMessage;
CWnd* g_pWndInit = nullptr;  // the object whose window CreateEx is creating

}  // namespace

HWND CWnd::s_hLockoutNotifyWindow = nullptr;

const MSG* AfxGetCurrentMessage() { return &g_currentMessage; }

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  return static_cast<CWnd*>(::GetPropA(hWnd, kObjectProp));
}

BOOL CWnd::Attach(HWND hWnd) {
  if (hWnd == nullptr) return FALSE;
  m_hWnd = hWnd;
  ::SetPropA(hWnd, kObjectProp, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != nullptr) {
    if (m_pfnSuper != nullptr &&
        (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == &CWnd::AfxWndProc) {
      ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    }
    if (::GetPropA(hWnd, kObjectProp) == this) ::RemovePropA(hWnd, kObjectProp);
  }
  m_pfnSuper = nullptr;
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  WNDPROC old = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&CWnd::AfxWndProc);
  if (old != &CWnd::AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

LPCSTR CWnd::RegisterClassOnce(LPCSTR lpszClassName, UINT style, HCURSOR hCursor,
                               HBRUSH hbrBackground, HICON hIcon) {
  HINSTANCE hInst = ::GetModuleHandleA(nullptr);
  WNDCLASSA wc;
  if (::GetClassInfoA(hInst, lpszClassName, &wc)) return lpszClassName;
  wc = WNDCLASSA();
  wc.style = style;
  wc.lpfnWndProc = &CWnd::AfxWndProc;
  wc.hInstance = hInst;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.hIcon = hIcon;
  wc.lpszClassName = lpszClassName;
  return ::RegisterClassA(&wc) ? lpszClassName : nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, HWND hWndParent, UINT nIDorHMenu, LPVOID lpParam) {
  // Sizes by unsigned subtraction: a default rectangle (CW_USEDEFAULT, CW_USEDEFAULT,
  // 0, 0) then gives CW_USEDEFAULT as width and height, without signed overflow.
  int width = (int)((unsigned)rect.right - (unsigned)rect.left);
  int height = (int)((unsigned)rect.bottom - (unsigned)rect.top);
  CWnd* previous = g_pWndInit;
  g_pWndInit = this;
  HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left,
                                rect.top, width, height, hWndParent, (HMENU)(UINT_PTR)nIDorHMenu,
                                ::GetModuleHandleA(nullptr), lpParam);
  bool neverBound = g_pWndInit == this;
  g_pWndInit = previous;
  // A window that failed after its first message has had its WM_NCDESTROY, and with it
  // PostNcDestroy (a self-deleting object is gone now). One that failed before any
  // message never got there: finish the object's life the same way.
  if (hWnd == nullptr && neverBound) PostNcDestroy();
  return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

CString CWnd::GetDlgItemText(int nID) const { return WindowText(GetDlgItem(nID)); }

CString CWnd::GetWindowText() const { return WindowText(m_hWnd); }

LRESULT CWnd::Default() {
  const MSG& m = g_currentMessage;
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  HWND previous = s_hLockoutNotifyWindow;
  s_hLockoutNotifyWindow = m_hWnd;
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  s_hLockoutNotifyWindow = previous;
  return !dx.m_bFailed;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  UINT nCode = HIWORD(wParam);
  HWND hWndCtrl = (HWND)lParam;
  // Notifications that controls send while a data exchange writes into them are ignored.
  if (hWndCtrl != nullptr && s_hLockoutNotifyWindow == m_hWnd) return TRUE;
  // Keyboard and menu commands arrive with code 0 or 1 and no control; they match the
  // same table entries as a click.
  if (hWndCtrl == nullptr && nCode == 1) nCode = 0;
  return OnCmdMsg(nID, nCode);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  *pResult = 0;
  if (message == WM_COMMAND) return OnCommand(wParam, lParam);

  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, 0, 0);
  if (e == nullptr) return FALSE;

  CCmdTarget* self = this;
  switch (e->nSig) {
    case AfxSig_vv:
      (self->*(e->pfn))();
      break;
    case AfxSig_vwl:
      (self->*reinterpret_cast<void (CCmdTarget::*)(UINT, LPARAM)>(e->pfn))((UINT)wParam, lParam);
      break;
    case AfxSig_hv:
      *pResult = (LRESULT)(self->*reinterpret_cast<HCURSOR (CCmdTarget::*)()>(e->pfn))();
      break;
    case AfxSig_vt:
      (self->*reinterpret_cast<void (CCmdTarget::*)(UINT_PTR)>(e->pfn))((UINT_PTR)wParam);
      break;
    case AfxSig_is:
      *pResult = (self->*reinterpret_cast<int (CCmdTarget::*)(LPCREATESTRUCTA)>(e->pfn))(
          (LPCREATESTRUCTA)lParam);
      break;
    case AfxSig_vwii:
      (self->*reinterpret_cast<void (CCmdTarget::*)(UINT, int, int)>(e->pfn))(
          (UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
      break;
    case AfxSig_vwww:
      (self->*reinterpret_cast<void (CCmdTarget::*)(UINT, UINT, UINT)>(e->pfn))(
          (UINT)wParam, LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_vh:
      (self->*reinterpret_cast<void (CCmdTarget::*)(HWND)>(e->pfn))((HWND)wParam);
      break;
    case AfxSig_vwwh:
      (self->*reinterpret_cast<void (CCmdTarget::*)(UINT, UINT, HWND)>(e->pfn))(
          LOWORD(wParam), HIWORD(wParam), (HWND)lParam);
      break;
    case AfxSig_lwl:
      *pResult = (self->*reinterpret_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(e->pfn))(
          wParam, lParam);
      break;
    case AfxSig_end:
      return FALSE;
  }
  return TRUE;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = FromHandlePermanent(hWnd);
  if (pWnd == nullptr && g_pWndInit != nullptr && g_pWndInit->m_hWnd == nullptr) {
    // First message of a window that CreateEx is making: bind it to its object.
    pWnd = g_pWndInit;
    g_pWndInit = nullptr;
    pWnd->Attach(hWnd);
  }
  if (pWnd == nullptr) return ::DefWindowProcA(hWnd, message, wParam, lParam);

  MSG saved = g_currentMessage;
  g_currentMessage.hwnd = hWnd;
  g_currentMessage.message = message;
  g_currentMessage.wParam = wParam;
  g_currentMessage.lParam = lParam;
  LRESULT result = pWnd->WindowProc(message, wParam, lParam);
  g_currentMessage = saved;

  if (message == WM_NCDESTROY) {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == pWnd) {
      // The main window is gone: end the application's message processing.
      app->m_pMainWnd = nullptr;
      ::PostQuitMessage(0);
    }
    pWnd->Detach();
    pWnd->PostNcDestroy();
  }
  return result;
}

namespace {

// The work area (the screen less the task bar) of the monitor that shows hWnd; the
// primary monitor's where the system has no monitor functions (Windows 95, NT 4.0).
RECT WorkAreaOf(HWND hWnd) {
  RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
  using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
  HMODULE user = ::GetModuleHandleA("user32.dll");
  auto fromWindow = reinterpret_cast<MonitorFromWindowFn>(::GetProcAddress(user, "MonitorFromWindow"));
  auto getInfo = reinterpret_cast<GetMonitorInfoFn>(::GetProcAddress(user, "GetMonitorInfoA"));
  if (fromWindow != nullptr && getInfo != nullptr && hWnd != nullptr) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (getInfo(fromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &info)) area = info.rcWork;
  }
  return area;
}

// Start of a span of the given length centred on [from, to), kept inside [low, high).
int CentredStart(LONG from, LONG to, int length, LONG low, LONG high) {
  int start = from + ((to - from) - length) / 2;
  if (start + length > high) start = high - length;
  if (start < low) start = low;
  return start;
}

}  // namespace

void CWnd::CenterWindow() const {
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  const RECT area = WorkAreaOf(owner != nullptr ? owner : m_hWnd);
  RECT over = area;
  if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
    ::GetWindowRect(owner, &over);
  }
  RECT rect;
  ::GetWindowRect(m_hWnd, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  ::SetWindowPos(m_hWnd, nullptr, CentredStart(over.left, over.right, width, area.left, area.right),
                 CentredStart(over.top, over.bottom, height, area.top, area.bottom), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND AfxGetTopLevelWindow(HWND hWnd) {
  while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) {
    HWND parent = ::GetParent(hWnd);
    if (parent == nullptr) break;
    hWnd = parent;
  }
  return hWnd;
}
