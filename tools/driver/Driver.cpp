#include "tools/driver/Driver.h"

DrivenProgram::DrivenProgram(const std::string& path, const std::string& startFolder,
                             const std::string& arguments, int show, bool quoted) {
  std::string cmd = (quoted ? "\"" + path + "\"" : path) + arguments;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (show >= 0) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
  }
  if (!::CreateProcessA(path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                        startFolder.c_str(), &si, &m_pi)) {
    m_startError = "cannot start " + path + ": error " + std::to_string(::GetLastError());
    m_pi = PROCESS_INFORMATION();
  }
}

DrivenProgram::~DrivenProgram() {
  if (m_pi.hProcess != nullptr) {
    if (Running()) {
      ::TerminateProcess(m_pi.hProcess, 99);
      ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
    ::CloseHandle(m_pi.hProcess);
    ::CloseHandle(m_pi.hThread);
  }
}

bool DrivenProgram::Running() const {
  return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD DrivenProgram::WaitForExit(DWORD timeoutMs) {
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

std::vector<HWND> DrivenProgram::Windows() const {
  EnumData d{m_pi.dwProcessId, {}};
  ::EnumWindows(&CollectWindows, (LPARAM)&d);
  return d.windows;
}

HWND DrivenProgram::WaitForWindow(const std::string& caption, DWORD timeoutMs) const {
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

namespace {
std::wstring Wide(const std::string& ansi) {
  const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(n > 0 ? n : 0, L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], n);
  return wide;
}
std::string Utf8(const std::wstring& wide) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string utf8(n > 0 ? n : 0, '\0');
  if (n > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], n, nullptr, nullptr);
  }
  return utf8;
}
}  // namespace

std::string Utf8(const std::string& ansi) { return Utf8(Wide(ansi)); }

std::string ShownText(HWND hWnd) {
  const std::wstring text = Wide(Text(hWnd));
  char cls[16] = "";
  ::GetClassNameA(hWnd, cls, sizeof cls);
  if (::lstrcmpiA(cls, "Static") != 0 || (::GetWindowLongA(hWnd, GWL_STYLE) & SS_NOPREFIX) != 0) return Utf8(text);
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'&') {
      shown += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == L'&') {
      shown += L'&';
      ++i;
    }
  }
  return Utf8(shown);
}

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

bool IsMessageBox(HWND hWnd) {
  char cls[16] = "";
  ::GetClassNameA(hWnd, cls, sizeof cls);
  return std::string(cls) == "#32770" && ::GetDlgItem(hWnd, 0xFFFF) != nullptr;
}

std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}
