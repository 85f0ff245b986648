#include "tests/win32/TestSupport.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include "framework/Dialog.h"
#include "framework/MessageBox.h"

TempFolder::TempFolder() {
  char base[MAX_PATH];
  ::GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH + 64];
    wsprintfA(name, "%svor-test-%lu-%u", base, ::GetCurrentProcessId(), ++counter);
    if (::CreateDirectoryA(name, nullptr)) {
      m_path = name;
      break;
    }
  }
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  HANDLE h = ::CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  ::CloseHandle(h);
}

std::string CurrentDirectory() {
  char dir[MAX_PATH * 4];
  DWORD n = ::GetCurrentDirectoryA(sizeof dir, dir);
  return std::string(dir, n);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path)
    : m_previous(CurrentDirectory()) {
  ::SetCurrentDirectoryA(path.c_str());
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() { ::SetCurrentDirectoryA(m_previous.c_str()); }

bool RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((path + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(full.c_str());
      }
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
  return ::RemoveDirectoryA(path.c_str()) != 0;
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buf[4096];
  DWORD got = 0;
  while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  ::CloseHandle(h);
  return bytes;
}

MessageBoxRecorder::MessageBoxRecorder() {
  AfxSetMessageBoxHook([this](HWND owner, const std::string& text, const std::string& caption,
                              UINT style) {
    boxes.push_back(RecordedMessageBox{owner, text, caption, style});
    if (OnShow) OnShow(boxes.back());
    if (m_answers.empty()) return IDOK;
    int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  });
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
