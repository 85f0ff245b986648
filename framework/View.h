// CView: a child window that draws a picture of something. Paints go through
// OnPrepareDC (for the coordinates) to OnDraw. Views live on the heap and delete
// themselves after their window's last message.
#pragma once
#include "framework/Wnd.h"

class CView : public CWnd {
 public:
  CView() = default;

  // Creates the view as a child window. lpszClassName null: the framework's standard
  // view class. False when the window could not be created; the object has then been
  // deleted already.
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd, UINT nID);

  // The standard view class: arrow cursor, the window colour as background, redrawn
  // whole on every horizontal or vertical resize.
  static LPCSTR StandardClass();

  // Deletes the object.
  void PostNcDestroy() override;

 protected:
  // Draws the view into a context that OnPrepareDC has prepared.
  virtual void OnDraw(HDC hDC) = 0;
  // Sets up a drawing context's coordinates before OnDraw; nothing here.
  virtual void OnPrepareDC(HDC hDC);

  void OnPaint();

  DECLARE_MESSAGE_MAP()
};
