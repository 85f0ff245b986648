// CFrameWnd: a top-level frame window whose client area is filled by one child
// window, the pane with the id AFX_IDW_PANE_FIRST. Frames live on the heap and
// delete themselves after their window's last message.
#pragma once
#include "framework/Wnd.h"

// Child id of a frame's first pane: the frame keeps it sized to its whole client area.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

class CFrameWnd : public CWnd {
 public:
  // The platform chooses position and size.
  static const RECT rectDefault;

  CFrameWnd() = default;

  // Creates the frame window. lpszClassName null: the framework's standard frame
  // class. lpszMenuName: a menu resource, or null for none. False when the window
  // could not be created; the object has then been deleted already.
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
              LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0);

  // Gives the pane (if there is one) the whole client area.
  void RecalcLayout();

  // The standard frame class: arrow cursor, the window colour as background, redrawn
  // whole on every resize, double clicks.
  static LPCSTR StandardClass();

  // Deletes the object.
  void PostNcDestroy() override;

 protected:
  void OnSize(UINT nType, int cx, int cy);
  void OnSetFocus(HWND hWndOld);

  DECLARE_MESSAGE_MAP()
};
