// CTextWin: the frame of a text viewer, a top-level window filled by one CTextView on
// the file named by FileName. The opener allocates it, sets FileName and creates it;
// after that the window owns the object, which deletes itself when the window is gone.
#pragma once
#include "framework/FrameWnd.h"
#include "framework/String.h"

class CTextView;

class CTextWin : public CFrameWnd {
 public:
  CTextWin() = default;

  // The view that fills the frame, not owned: set while the frame is created, and left
  // null when the view could not be created (the frame then stays empty).
  CTextView* View = nullptr;
  // The file to show, as the opener gives it; relative names are resolved against the
  // current directory when the view opens the file.
  CString FileName;

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct);
  void OnSetFocus(HWND hWndOld);

  DECLARE_MESSAGE_MAP()
};
