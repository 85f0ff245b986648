#include "viewer/OpenViewer.h"

#include <memory>
#include <new>
#include <string>

#include "viewer/TextWin.h"

void OpenViewer(const char* fileName, const RECT& rect) {
  try {
    const std::string title = std::string("Viewing - ") + fileName;
    std::unique_ptr<CTextWin> win(new CTextWin);
    win->FileName = fileName;
    // From here on the window owns the object; a failed creation has deleted it.
    CTextWin* frame = win.release();
    if (!frame->Create(nullptr, title.c_str(), WS_OVERLAPPEDWINDOW, rect, nullptr, nullptr)) return;
    frame->ShowWindow(SW_SHOWNORMAL);
    frame->UpdateWindow();
  } catch (const std::bad_alloc&) {
    // No memory for the object or its names: no viewer.
  }
}
