#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

TestPaths g_paths;

SourceFolder::SourceFolder() {
  char base[MAX_PATH];
  ::GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH + 64];
    wsprintfA(name, "%svor-e2e-%lu-%u", base, ::GetCurrentProcessId(), ++counter);
    if (::CreateDirectoryA(name, nullptr)) {
      m_path = name;
      break;
    }
  }
}

SourceFolder::~SourceFolder() { RemoveTree(m_path); }

void SourceFolder::Write(const std::string& name, const std::string& bytes) const {
  HANDLE h = ::CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  ::CloseHandle(h);
}

void SourceFolder::CopyIn(const std::string& from, const std::string& name) const {
  ASSERT_TRUE(::CopyFileA(from.c_str(), File(name).c_str(), FALSE)) << from;
}

std::string ReadWholeFile(const std::string& path) {
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

bool FileExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

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

Installer::Installer(const std::string& startFolder) {
  std::string exe = g_paths.bin + "\\ZEZADERI.EXE";
  std::string cmd = "\"" + exe + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
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
