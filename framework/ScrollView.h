// CScrollView: a view over a picture larger than its window, scrolled with the
// window's own scroll bars. Sizes and positions are pixels (MM_TEXT); the position is
// the picture's point shown at the view's top-left corner.
//
//   - Bars are decided from the client size the view would have without bars, so a
//     bar that appears or vanishes cannot change the decision (ScrollModel has the
//     rules, including the second pass and the too-small case).
//   - Every change of size clamps the position into the new limits; a direction
//     without a bar is at 0.
//   - Steps: the line size for the arrows (and their keys), the page size for the
//     trough, the thumb follows the mouse. A page is never more than the visible size.
//     A step moves the window's contents and repaints the uncovered strip at once.
//   - Drawing: the context's origin stays at the client area's top-left corner, and
//     OnDraw draws from GetScrollPosition, handing the platform client coordinates only.
//     The 95 family keeps a context's coordinates in 16 bits, and a large picture's
//     position goes far beyond them, so the view never moves the origin to (-x, -y).
#pragma once
#include "framework/ScrollModel.h"
#include "framework/View.h"

class CScrollView : public CView {
 public:
  CScrollView() = default;

  // Mapping mode (MM_TEXT only: one unit is one pixel), the picture's size, the page
  // step and the line step. A page or line size of 0 in a direction: the page is the
  // visible size, the line a tenth of it.
  void SetScrollSizes(int nMapMode, SIZE sizeTotal, SIZE sizePage = SIZE{0, 0},
                      SIZE sizeLine = SIZE{0, 0});

  POINT GetScrollPosition() const;
  SIZE GetTotalSize() const;
  // Scrolls to a position, clamped into the limits.
  void ScrollToPosition(POINT pt);

 protected:
  void OnSize(UINT nType, int cx, int cy);
  void OnHScroll(UINT nSBCode, UINT nPos, HWND hScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, HWND hScrollBar);

  // Applies one scroll code in one direction; true when the position changed.
  BOOL OnScroll(ScrollAxis axis, int nSBCode);
  // Brings the bars up to date with the window's size and the scroll sizes.
  void UpdateBars();

  DECLARE_MESSAGE_MAP()

 private:
  // Moves the contents by the change of position and repaints what was uncovered.
  void ScrollContents(int dx, int dy);
  void SetBar(int nBar, bool shown, int32_t total, int32_t visible, int32_t pos);

  ScrollModel m_model;
  SIZE m_sizeTotal = {0, 0};
  SIZE m_sizePage = {0, 0};
  bool m_bInsideUpdate = false;
};
