#include "tools/driver/InstallFlow.h"

#include <algorithm>

namespace {

std::vector<HWND> MessageBoxes(const DrivenProgram& app) {
  std::vector<HWND> boxes;
  for (HWND h : app.Windows()) {
    if (IsMessageBox(h)) boxes.push_back(h);
  }
  return boxes;
}

// A message box that is none of those in `before`.
HWND NewBox(const DrivenProgram& app, const std::vector<HWND>& before) {
  for (HWND h : MessageBoxes(app)) {
    if (std::find(before.begin(), before.end(), h) == before.end()) return h;
  }
  return nullptr;
}

}  // namespace

HWND WaitForWindowOrBox(const DrivenProgram& app, const std::string& caption, DWORD timeoutMs,
                        const std::function<void()>& whileWaiting) {
  const std::vector<HWND> before = MessageBoxes(app);
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = app.WaitForWindow(caption, 0);
        if (found == nullptr) found = NewBox(app, before);
        if (found != nullptr || !app.Running()) return true;
        if (whileWaiting) whileWaiting();
        return false;
      },
      timeoutMs);
  return found;
}

bool ChooseFolder(const DrivenProgram& app, HWND mainDialog, const std::string& target,
                  FlowObserver* observer) {
  Click(mainDialog, 1005);
  const std::string folderCaption = "Select Install Folder";
  HWND folderDlg = WaitForWindowOrBox(app, folderCaption, 15000);
  if (folderDlg == nullptr || Text(folderDlg) != folderCaption) {
    if (observer != nullptr) {
      if (folderDlg != nullptr) observer->Shown(folderDlg);
      else observer->Missed("the folder dialog \"" + folderCaption + "\" did not come");
    }
    return false;
  }
  if (!target.empty()) ::SendMessageA(::GetDlgItem(folderDlg, 1014), WM_SETTEXT, 0, (LPARAM)target.c_str());
  if (observer != nullptr) observer->Shown(folderDlg);
  const std::vector<HWND> before = MessageBoxes(app);
  Click(folderDlg, IDOK);
  HWND question = nullptr;
  HWND other = nullptr;
  bool closed = WaitUntil(
      [&] {
        if (!::IsWindow(folderDlg)) return true;
        HWND box = NewBox(app, before);
        if (box == nullptr) return false;
        if (Text(box) != "Create Directory") {
          other = box;
          return true;
        }
        if (box != question) {
          question = box;
          if (observer != nullptr) observer->Shown(question);
        }
        Click(question, IDYES);
        return false;
      },
      15000);
  if (other != nullptr) {
    if (observer != nullptr) observer->Shown(other);
    return false;
  }
  if (!closed && observer != nullptr) observer->Missed("the folder dialog \"" + folderCaption + "\" did not close");
  return closed;
}

MessageBoxView WaitForBox(const DrivenProgram& app, const std::string& caption, DWORD timeoutMs) {
  HWND box = app.WaitForWindow(caption, timeoutMs);
  if (box == nullptr) return MessageBoxView();
  // Let the box finish setting itself up before it is read.
  WaitUntil([&] { return !ControlText(box, 0xFFFF).empty() || !::IsWindow(box); }, 2000);
  return ReadMessageBox(box);
}

namespace {

bool InstallAndAnswer(const DrivenProgram& app, HWND mainDialog, const std::string& target, int answer) {
  if (!ChooseFolder(app, mainDialog, target)) return false;
  MessageBoxView done = WaitForBox(app, "Successful Installation");
  if (done.hwnd == nullptr) return false;
  Click(done.hwnd, answer);
  return WaitUntil([&] { return app.WaitForWindow("Decompressing Files", 0) == nullptr; });
}

}  // namespace

bool InstallAndDecline(const DrivenProgram& app, HWND mainDialog, const std::string& target) {
  return InstallAndAnswer(app, mainDialog, target, IDNO);
}

bool InstallAndAccept(const DrivenProgram& app, HWND mainDialog, const std::string& target) {
  return InstallAndAnswer(app, mainDialog, target, IDYES);
}
