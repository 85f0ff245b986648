// CWnd: a C++ object bound to a window. Messages reach the object's message table
// through AfxWndProc; what the table does not bind goes to the window's original
// procedure (Default).
#pragma once
#include <windows.h>

#include "framework/String.h"

#include "framework/CmdTarget.h"

class CDataExchange;

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  static HWND SafeHwnd(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }
  // The object bound to a window by Attach or creation, or null.
  static CWnd* FromHandlePermanent(HWND hWnd);

  // Binds the object to an existing window (no subclassing).
  BOOL Attach(HWND hWnd);
  HWND Detach();
  // Binds the object and routes the window's messages through the message table.
  BOOL SubclassWindow(HWND hWnd);

  // Creates a window whose messages reach this object from WM_NCCREATE on. When it
  // fails, PostNcDestroy has run (a self-deleting object is gone: do not touch it).
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                const RECT& rect, HWND hWndParent, UINT nIDorHMenu, LPVOID lpParam = nullptr);
  // A window class whose procedure is AfxWndProc, registered once per name.
  static LPCSTR RegisterClassOnce(LPCSTR lpszClassName, UINT style, HCURSOR hCursor,
                                  HBRUSH hbrBackground, HICON hIcon);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the window's last message; a heap-allocated window deletes itself here.
  virtual void PostNcDestroy() {}
  // Dialog-style keyboard handling in the message loops; true when the message was used.
  virtual BOOL PreTranslateMessage(MSG* pMsg);

  // Data exchange between the controls and the object's fields.
  virtual void DoDataExchange(CDataExchange* pDX);
  // FALSE: controls to fields; TRUE: fields to controls. False when a field refused.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  // Default processing of the message being handled.
  LRESULT Default();

  HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
  void SetDlgItemText(int nID, const char* text) const {
    ::SetDlgItemTextA(m_hWnd, nID, text);
  }
  CString GetDlgItemText(int nID) const;
  void EnableDlgItem(int nID, BOOL bEnable) const { ::EnableWindow(GetDlgItem(nID), bEnable); }
  CString GetWindowText() const;
  DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL ShowWindow(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow); }
  void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
  BOOL DestroyWindow();
  // Centres the window over its owner, or on the work area when it has none (or the
  // owner is hidden or minimised), and keeps it inside the work area.
  void CenterWindow() const;

  // The window whose notifications are ignored while a data exchange runs.
  static HWND s_hLockoutNotifyWindow;

  static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  WNDPROC m_pfnSuper = nullptr;

  // Default handlers, replaced (hidden) by derived classes that bind the message.
  void OnPaint() { Default(); }
  void OnSysCommand(UINT, LPARAM) { Default(); }
  HCURSOR OnQueryDragIcon() { return (HCURSOR)Default(); }
  void OnTimer(UINT_PTR) { Default(); }
  int OnCreate(LPCREATESTRUCTA) { return (int)Default(); }
  void OnSize(UINT, int, int) { Default(); }
  void OnKeyDown(UINT, UINT, UINT) { Default(); }
  void OnSetFocus(HWND) { Default(); }
  void OnHScroll(UINT, UINT, HWND) { Default(); }
  void OnVScroll(UINT, UINT, HWND) { Default(); }

  DECLARE_MESSAGE_MAP()
};

// The message being processed on this thread, for Default().
const MSG* AfxGetCurrentMessage();

// The top-level window that hWnd belongs to: hWnd itself when it is no child window.
HWND AfxGetTopLevelWindow(HWND hWnd);
