// A program on the installer's C runtime, built and linked as ZEZADERI.EXE is, for the
// end-to-end tests: it records in RUNTIME.LOG, in its current folder, when its static
// objects are made and destroyed around WinMain, what WinMain gets, and what an
// impossible allocation that may fail gives; it ends with the number its command line
// starts with, or, when the command line is "huge", through an impossible allocation
// that may not fail.
#include <windows.h>

#include <new>

namespace {

void Record(const char* what) {
  HANDLE h = ::CreateFileA("RUNTIME.LOG", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  ::SetFilePointer(h, 0, nullptr, FILE_END);
  DWORD n = 0;
  ::WriteFile(h, what, static_cast<DWORD>(::lstrlenA(what)), &n, nullptr);
  ::WriteFile(h, "\n", 1, &n, nullptr);
  ::CloseHandle(h);
}

class Witness {
 public:
  explicit Witness(const char* name) : m_name(name) { Report("made"); }
  ~Witness() { Report("destroyed"); }

 private:
  void Report(const char* what) const {
    char line[64];
    ::wsprintfA(line, "%s %s", what, m_name);
    Record(line);
  }
  const char* m_name;
};

Witness first("first");
Witness second("second");

volatile size_t g_hugeSize = static_cast<size_t>(-1) / 2 - 64;
char* volatile g_huge = nullptr;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  char line[600];
  ::wsprintfA(line, "WinMain [%s] show %d, own module %d", lpCmdLine, nCmdShow,
              hInstance == ::GetModuleHandleA(nullptr));
  Record(line);
  g_huge = new (std::nothrow) char[g_hugeSize];
  Record(g_huge == nullptr ? "no memory for the impossible" : "allocated the impossible");
  if (::lstrcmpA(lpCmdLine, "huge") == 0) {
    g_huge = new char[g_hugeSize];
    Record("allocated the impossible");
  }
  int status = 0;
  for (const char* p = lpCmdLine; *p >= '0' && *p <= '9'; ++p) status = status * 10 + (*p - '0');
  return status;
}
