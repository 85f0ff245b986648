#include <memory>
#include <new>
#include <string>

#include "install/LogFile.h"
#include "ui/SetupDlg.h"
#include "viewer/TextWin.h"

namespace {

// Opens one more independent viewer window on a file of the current directory. Nobody
// keeps the window: it lives until the user closes it or the program ends.
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

}  // namespace

void CSetupDlg::OnViewNfo() { OpenViewer("VOR.nfo", CFrameWnd::rectDefault); }

void CSetupDlg::OnViewFileId() { OpenViewer("file_id.diz", RECT{100, 100, 500, 260}); }

void CSetupDlg::OnViewInstallLog() { OpenViewer(kLogFileName, CFrameWnd::rectDefault); }
