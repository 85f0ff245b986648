#include "tests/win32/TestSupport.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include "framework/Dialog.h"
#include "framework/MessageBox.h"

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path)
    : m_previous(CurrentDirectory()) {
  ::SetCurrentDirectoryA(path.c_str());
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() { ::SetCurrentDirectoryA(m_previous.c_str()); }

MessageBoxRecorder::MessageBoxRecorder() {
  MessageBoxHook hook;
  hook.context = this;
  hook.show = [](void* context, HWND owner, StringView text, StringView caption, UINT style) {
    MessageBoxRecorder& self = *static_cast<MessageBoxRecorder*>(context);
    self.boxes.push_back(RecordedMessageBox{owner, std::string(text.data(), text.size()),
                                            std::string(caption.data(), caption.size()), style});
    if (self.OnShow) self.OnShow(self.boxes.back());
    if (self.m_answers.empty()) return IDOK;
    int answer = self.m_answers.front();
    self.m_answers.pop_front();
    return answer;
  };
  AfxSetMessageBoxHook(hook);
}

MessageBoxRecorder::~MessageBoxRecorder() { AfxSetMessageBoxHook(MessageBoxHook()); }

namespace {

struct Script {
  std::vector<ScriptStep> steps;
  size_t next = 0;
  DWORD deadline = 0;
  CDialog* dlg = nullptr;
  bool timedOut = false;
  bool inStep = false;  // a step runs a nested message loop
};
Script* g_script = nullptr;

BOOL CALLBACK CancelOtherDialog(HWND hWnd, LPARAM dlg) {
  char cls[16];
  ::GetClassNameA(hWnd, cls, sizeof cls);
  if (hWnd != (HWND)dlg && ::IsWindowVisible(hWnd) && lstrcmpA(cls, "#32770") == 0) {
    ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
  }
  return TRUE;
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR id, DWORD) {
  Script* s = g_script;
  if (s == nullptr) {
    ::KillTimer(nullptr, id);
    return;
  }
  if (s->inStep) return;
  if ((LONG)(::GetTickCount() - s->deadline) > 0) {
    ::KillTimer(nullptr, id);
    s->timedOut = true;
    g_script = nullptr;
    // Close whatever modal window a step left open inside the dialog's loop, so that the
    // loop can end and the test fails instead of hanging.
    ::EnumThreadWindows(::GetCurrentThreadId(), &CancelOtherDialog, (LPARAM)s->dlg->m_hWnd);
    if (s->dlg->m_hWnd != nullptr) s->dlg->EndDialog(IDABORT);
    return;
  }
  if (s->next < s->steps.size() && s->dlg->m_hWnd != nullptr) {
    s->inStep = true;
    bool done = s->steps[s->next]();
    s->inStep = false;
    if (done) ++s->next;
  }
}

}  // namespace

INT_PTR RunScripted(CDialog& dlg, std::vector<ScriptStep> steps, DWORD timeoutMs) {
  Script script;
  script.steps = std::move(steps);
  script.deadline = ::GetTickCount() + timeoutMs;
  script.dlg = &dlg;
  Script* previous = g_script;
  g_script = &script;
  UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &ScriptTick);
  INT_PTR result = dlg.DoModal();
  ::KillTimer(nullptr, timer);
  g_script = previous;
  EXPECT_FALSE(script.timedOut) << "the dialog did not end in time; steps done: " << script.next
                                << " of " << script.steps.size();
  EXPECT_EQ(script.next, script.steps.size()) << "not every step ran";
  return result;
}

void PumpMessagesFor(DWORD ms) {
  DWORD end = ::GetTickCount() + ms;
  MSG msg;
  while ((LONG)(::GetTickCount() - end) < 0) {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  }
}

namespace {
struct FindData {
  std::string caption;
  HWND found;
};
BOOL CALLBACK FindByCaption(HWND hWnd, LPARAM lParam) {
  FindData* d = reinterpret_cast<FindData*>(lParam);
  if (::IsWindowVisible(hWnd) && WindowText(hWnd) == d->caption) {
    d->found = hWnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindThreadWindow(const std::string& caption) {
  FindData d{caption, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindByCaption, (LPARAM)&d);
  return d.found;
}

std::string WindowText(HWND hWnd) {
  char buf[1024];
  int n = ::GetWindowTextA(hWnd, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

std::string PlatformErrorText(DWORD error) {
  char text[512] = {};
  DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             error, 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
  EXPECT_GT(n, 0u) << "the platform has no text for " << error;
  return std::string(text, n);
}
