#include "viewer/TextWin.h"

#include "res/resource.h"
#include "viewer/TextView.h"

BEGIN_MESSAGE_MAP(CTextWin, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

int CTextWin::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;

  // The frame goes on whether or not the view comes up: without one it stays empty.
  // A view whose creation failed has deleted itself.
  CTextView* view = new CTextView;
  view->FileName = FileName;
  if (view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, this,
                   AFX_IDW_PANE_FIRST)) {
    View = view;
  }

  HINSTANCE hInst = ::GetModuleHandleA(nullptr);
  SendMessage(WM_SETICON, ICON_BIG, (LPARAM)::LoadIconA(hInst, MAKEINTRESOURCEA(IDR_MAINFRAME)));
  SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)::LoadIconA(hInst, MAKEINTRESOURCEA(IDR_MAINFRAME)));
  return 0;
}

void CTextWin::OnSetFocus(HWND hWndOld) {
  CFrameWnd::OnSetFocus(hWndOld);
  // The keys go to the view. View is compared, not followed: while the frame is being
  // destroyed its view may be gone already.
  HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
  if (View != nullptr && pane != nullptr && CWnd::FromHandlePermanent(pane) == View) {
    ::SetFocus(pane);
  }
}
