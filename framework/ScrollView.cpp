#include "framework/ScrollView.h"

#include <limits>

namespace {

int32_t ClampToInt32(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

}  // namespace

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, SIZE sizePage, SIZE sizeLine) {
  (void)nMapMode;  // MM_TEXT is the only mode this view supports: sizes are pixels
  m_sizeTotal = sizeTotal;
  m_sizePage = sizePage;
  const POINT before = GetScrollPosition();
  m_model.SetLineSize(sizeLine.cx, sizeLine.cy);
  m_model.SetTotalSize(sizeTotal.cx, sizeTotal.cy);
  UpdateBars();
  // A smaller picture may have clamped the position without any change of size.
  const POINT after = GetScrollPosition();
  if (m_hWnd != nullptr && (after.x != before.x || after.y != before.y)) {
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
  }
}

POINT CScrollView::GetScrollPosition() const { return POINT{m_model.PosX(), m_model.PosY()}; }

SIZE CScrollView::GetTotalSize() const { return m_sizeTotal; }

void CScrollView::UpdateBars() {
  // Showing or hiding a bar resizes the client area, which sends WM_SIZE again while
  // this runs: the inner calls leave the work to this one.
  if (m_bInsideUpdate || m_hWnd == nullptr) return;
  m_bInsideUpdate = true;
  const POINT before = GetScrollPosition();

  m_model.SetBarSizes(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));

  // The client size without bars: the window's size less its borders. (The client
  // size plus the bars the window has would be wrong where a bar does not fit: the
  // system then takes no room for it.)
  RECT window;
  ::GetWindowRect(m_hWnd, &window);
  RECT borders = {0, 0, 0, 0};
  const DWORD style = GetStyle();
  ::AdjustWindowRectEx(&borders, style & ~(WS_HSCROLL | WS_VSCROLL), FALSE,
                       (DWORD)::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
  m_model.Resize((window.right - window.left) - (borders.right - borders.left),
                 (window.bottom - window.top) - (borders.bottom - borders.top));

  const BarLayout& bars = m_model.Bars();
  SetBar(SB_HORZ, bars.horzBar, m_sizeTotal.cx, bars.visibleWidth, m_model.PosX());
  SetBar(SB_VERT, bars.vertBar, m_sizeTotal.cy, bars.visibleHeight, m_model.PosY());

  m_bInsideUpdate = false;
  const POINT after = GetScrollPosition();
  if (after.x != before.x || after.y != before.y) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CScrollView::SetBar(int nBar, bool shown, int32_t total, int32_t visible, int32_t pos) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (shown) {
    // Positions run from 0 to nMax + 1 - nPage = total - visible.
    si.nMin = 0;
    si.nMax = total - 1;
    si.nPage = static_cast<UINT>(visible);
    si.nPos = pos;
  }
  ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
  ::ShowScrollBar(m_hWnd, nBar, shown ? TRUE : FALSE);
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT, HWND hScrollBar) {
  if (hScrollBar != nullptr) {
    Default();  // a scroll bar control of its own, not the view's bar
    return;
  }
  OnScroll(ScrollAxis::Horizontal, static_cast<int>(nSBCode));
}

void CScrollView::OnVScroll(UINT nSBCode, UINT, HWND hScrollBar) {
  if (hScrollBar != nullptr) {
    Default();
    return;
  }
  OnScroll(ScrollAxis::Vertical, static_cast<int>(nSBCode));
}

BOOL CScrollView::OnScroll(ScrollAxis axis, int nSBCode) {
  const bool horizontal = axis == ScrollAxis::Horizontal;
  const int nBar = horizontal ? SB_HORZ : SB_VERT;
  int32_t delta = 0;
  bool moved = false;
  switch (nSBCode) {
    case SB_PAGEUP:
    case SB_PAGEDOWN: {
      // The page size given, but never more than is visible: a page step skips nothing.
      const int32_t visible = horizontal ? m_model.VisibleWidth() : m_model.VisibleHeight();
      int32_t page = horizontal ? m_sizePage.cx : m_sizePage.cy;
      if (page <= 0 || page > visible) page = visible;
      const int64_t pos = horizontal ? m_model.PosX() : m_model.PosY();
      const int64_t target = nSBCode == SB_PAGEUP ? pos - page : pos + page;
      moved = m_model.Scroll(axis, ScrollCode::ThumbPosition, ClampToInt32(target), &delta);
      break;
    }
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message carries only 16 bits of the position; the bar has all 32.
      SCROLLINFO si = {};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      if (!::GetScrollInfo(m_hWnd, nBar, &si)) return FALSE;
      moved = m_model.Scroll(axis, nSBCode, si.nTrackPos, &delta);
      break;
    }
    default:
      moved = m_model.Scroll(axis, nSBCode, 0, &delta);
      break;
  }
  if (!moved) return FALSE;

  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_POS;
  si.nPos = horizontal ? m_model.PosX() : m_model.PosY();
  ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
  ScrollContents(horizontal ? delta : 0, horizontal ? 0 : delta);
  return TRUE;
}

void CScrollView::ScrollToPosition(POINT pt) {
  const ScrollAxis axes[] = {ScrollAxis::Horizontal, ScrollAxis::Vertical};
  for (ScrollAxis axis : axes) {
    const bool horizontal = axis == ScrollAxis::Horizontal;
    int32_t delta = 0;
    if (!m_model.Scroll(axis, ScrollCode::ThumbPosition, horizontal ? pt.x : pt.y, &delta)) continue;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = horizontal ? m_model.PosX() : m_model.PosY();
    ::SetScrollInfo(m_hWnd, horizontal ? SB_HORZ : SB_VERT, &si, TRUE);
    ScrollContents(horizontal ? delta : 0, horizontal ? 0 : delta);
  }
}

void CScrollView::ScrollContents(int dx, int dy) {
  // The contents move against the position; the strip that comes into view is
  // invalidated and painted before this returns. A move of a whole client size or more
  // (a thumb dragged far) keeps nothing in view: everything is repainted, and the
  // platform is never handed a distance beyond the window (16-bit on the 95 family).
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  if (dx <= -client.right || dx >= client.right || dy <= -client.bottom || dy >= client.bottom) {
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
  } else {
    ::ScrollWindow(m_hWnd, -dx, -dy, nullptr, nullptr);
  }
  ::UpdateWindow(m_hWnd);
}
