#include "framework/View.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

LPCSTR CView::StandardClass() {
  return RegisterClassOnce("VorView", CS_HREDRAW | CS_VREDRAW,
                           ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1),
                           nullptr);
}

BOOL CView::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                   CWnd* pParentWnd, UINT nID) {
  if (lpszClassName == nullptr) lpszClassName = StandardClass();
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, SafeHwnd(pParentWnd), nID);
}

void CView::OnPrepareDC(HDC) {}

void CView::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  if (dc != nullptr) {
    OnPrepareDC(dc);
    OnDraw(dc);
  }
  ::EndPaint(m_hWnd, &ps);
}

void CView::PostNcDestroy() { delete this; }
