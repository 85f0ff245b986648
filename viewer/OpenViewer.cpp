#include "viewer/OpenViewer.h"

#include "viewer/TextWin.h"

void OpenViewer(const char* fileName, const RECT& rect) {
  const CString title = CString("Viewing - ") + fileName;
  CTextWin* frame = new CTextWin;
  frame->FileName = fileName;
  // The window owns the object; a failed creation has deleted it.
  if (!frame->Create(nullptr, title.c_str(), WS_OVERLAPPEDWINDOW, rect, nullptr, nullptr)) return;
  frame->ShowWindow(SW_SHOWNORMAL);
  frame->UpdateWindow();
}
