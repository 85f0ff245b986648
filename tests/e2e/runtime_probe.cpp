// A program on the installer's C runtime, built and linked as ZEZADERI.EXE is, for the
// end-to-end tests: it records in RUNTIME.LOG, in its current folder, when its static
// objects are made and destroyed around WinMain, what WinMain gets, and the exceptions
// it throws and catches; it ends with the number its command line starts with, or
// through abort when the command line is "abort". It links the C++ library's error
// helpers as the installer does.
#include <windows.h>

#include <cstdlib>
#include <functional>
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

struct ProbeError {
  int code;
};

__attribute__((noinline)) void Fail(int code) { throw ProbeError{code}; }

volatile size_t g_hugeSize = static_cast<size_t>(-1) / 2 - 64;
char* volatile g_huge = nullptr;

}  // namespace

// Never called: refers to every error helper of the C++ library that
// framework/RuntimeThrows.cpp replaces. One left out there would bring the library's
// own object for it, and this program would not link (a multiple definition).
void UseEveryLibraryThrow(int which) {
  switch (which) {
    case 0: std::__throw_bad_alloc();
    case 1: std::__throw_bad_array_new_length();
    case 2: std::__throw_length_error("");
    case 3: std::__throw_bad_exception();
    case 4: std::__throw_bad_cast();
    case 5: std::__throw_bad_typeid();
    case 6: std::__throw_logic_error("");
    case 7: std::__throw_domain_error("");
    case 8: std::__throw_invalid_argument("");
    case 9: std::__throw_out_of_range("");
    case 10: std::__throw_out_of_range_fmt("%s", "");
    case 11: std::__throw_runtime_error("");
    case 12: std::__throw_range_error("");
    case 13: std::__throw_overflow_error("");
    case 14: std::__throw_underflow_error("");
    default: std::__throw_bad_function_call();
  }
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  char line[600];
  ::wsprintfA(line, "WinMain [%s] show %d, own module %d", lpCmdLine, nCmdShow,
              hInstance == ::GetModuleHandleA(nullptr));
  Record(line);
  try {
    Fail(5);
  } catch (const ProbeError& e) {
    ::wsprintfA(line, "caught %d", e.code);
    Record(line);
  }
  try {
    g_huge = new char[g_hugeSize];
    Record("allocated the impossible");
  } catch (const std::bad_alloc&) {
    Record("caught bad_alloc");
  }
  if (::lstrcmpA(lpCmdLine, "abort") == 0) std::abort();
  int status = 0;
  for (const char* p = lpCmdLine; *p >= '0' && *p <= '9'; ++p) status = status * 10 + (*p - '0');
  return status;
}
