#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

TestPaths g_paths;

Installer::Installer(const std::string& startFolder, const std::string& program,
                     const std::string& arguments, int show) {
  const bool fullPath = program.find(':') != std::string::npos;
  std::string exe = fullPath ? program : g_paths.app + "\\" + program;
  std::string cmd = (fullPath ? exe : "\"" + exe + "\"") + arguments;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (show >= 0) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
  }
  if (!::CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                        startFolder.c_str(), &si, &m_pi)) {
    ADD_FAILURE() << "cannot start " << exe << ": error " << ::GetLastError();
  }
}

Installer::~Installer() {
  if (m_pi.hProcess != nullptr) {
    if (Running()) {
      ::TerminateProcess(m_pi.hProcess, 99);
      ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
    ::CloseHandle(m_pi.hProcess);
    ::CloseHandle(m_pi.hThread);
  }
}

bool Installer::Running() const {
  return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Installer::WaitForExit(DWORD timeoutMs) {
  if (m_pi.hProcess == nullptr) return STILL_ACTIVE;
  if (::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(m_pi.hProcess, &code);
  return code;
}

namespace {
struct EnumData {
  DWORD pid;
  std::vector<HWND> windows;
};
BOOL CALLBACK CollectWindows(HWND hWnd, LPARAM lParam) {
  EnumData* d = reinterpret_cast<EnumData*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  if (pid == d->pid && ::IsWindowVisible(hWnd)) d->windows.push_back(hWnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> Installer::Windows() const {
  EnumData d{m_pi.dwProcessId, {}};
  ::EnumWindows(&CollectWindows, (LPARAM)&d);
  return d.windows;
}

HWND Installer::WaitForWindow(const std::string& caption, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND h : Windows()) {
          if (Text(h) == caption) {
            found = h;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

std::string Text(HWND hWnd) {
  char buf[2048];
  LRESULT n = ::SendMessageA(hWnd, WM_GETTEXT, sizeof buf, (LPARAM)buf);
  return std::string(buf, n > 0 ? (size_t)n : 0);
}

std::string ControlText(HWND dialog, int id) { return Text(::GetDlgItem(dialog, id)); }

bool ControlEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != 0; }

void Click(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
}

HWND FocusOf(HWND hWnd) {
  GUITHREADINFO gti = {};
  gti.cbSize = sizeof gti;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, nullptr), &gti)) return nullptr;
  return gti.hwndFocus;
}

void PressKey(HWND hWnd, UINT vk) {
  HWND target = FocusOf(hWnd);
  if (target == nullptr) target = hWnd;
  ::PostMessageA(target, WM_KEYDOWN, vk, 1);
  ::PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
}

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView v;
  v.hwnd = box;
  v.caption = Text(box);
  v.text = ControlText(box, 0xFFFF);
  v.hasIcon = ::GetDlgItem(box, 1088) != nullptr &&
              ::SendMessageA(::GetDlgItem(box, 1088), STM_GETICON, 0, 0) != 0;
  for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
    HWND b = ::GetDlgItem(box, id);
    if (b != nullptr && ::IsWindowVisible(b)) v.buttons.push_back(id);
  }
  return v;
}
