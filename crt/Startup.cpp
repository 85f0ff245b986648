// The installer's own C runtime. ZEZADERI.EXE imports nothing but Windows' own DLLs:
// the C runtime DLL that the cross compiler's start-up code wants (MSVCRT.DLL) is not
// part of Windows 95 as first released, so a program that imports it does not start
// there. What the program needs from a C and C++ runtime is here, over KERNEL32 (and
// USER32 for the one message of operator new): the entry point (Startup.cpp), operator
// new and delete over the process heap (OperatorNew.cpp), the memory and string
// functions (Memory.cpp) and the 64-bit divisions (Division.cpp). No C heap, no
// exceptions, no stdio, no signals, no locale: nothing in the program uses them.
//
// Start-up: the program's first act restricts where DLLs are looked for
// (DllSearch.cpp), before any static constructor can load one. Then the compiler
// collects the static constructors of every object file in the linker's list
// __CTOR_LIST__ (-1, the functions, 0) and registers each static object's destructor
// with atexit as it is constructed. The list is run from its end, as the compiler's own
// start-up code does. WinMain then gets what the platform's start-up code gives it,
// and its result is the exit status: the atexit functions run in reverse order of
// registration, then the process ends.
#include <windows.h>

#include "crt/DllSearch.h"

extern "C" {
extern void (*__CTOR_LIST__[])();
extern void (*__DTOR_LIST__[])();
int atexit(void (*function)());
void exit(int status);
void abort();
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

// Up to this many functions run at exit: the static objects with destructors and the
// destructor list. More cannot be registered.
constexpr int kMaxAtExit = 32;
void (*g_atExit[kMaxAtExit])();
int g_atExitCount = 0;

void RunDestructorList() {
  for (void (**f)() = __DTOR_LIST__ + 1; *f != nullptr; ++f) (*f)();
}

void RunConstructorList() {
  int count = 0;
  while (__CTOR_LIST__[count + 1] != nullptr) ++count;
  for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
  atexit(RunDestructorList);
}

// The command line after the program's name and the blanks that follow it. Bytes are
// compared unsigned: those from 0x80 on (letters of the code page, the halves of a
// double-byte character) are part of a name, never a blank.
LPSTR CommandTail(LPSTR line) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  if (*line == '"') {
    ++line;
    while (*line != '\0' && *line != '"') ++line;
    if (*line == '"') ++line;
  } else {
    while (*line != '\0' && !blank(*line)) ++line;
  }
  while (*line != '\0' && blank(*line)) ++line;
  return line;
}

}  // namespace

extern "C" int atexit(void (*function)()) {
  if (g_atExitCount == kMaxAtExit) return -1;
  g_atExit[g_atExitCount++] = function;
  return 0;
}

extern "C" void exit(int status) {
  while (g_atExitCount > 0) g_atExit[--g_atExitCount]();
  ::ExitProcess(static_cast<UINT>(status));
}

// Ends the program at once, as the C runtime's abort does: no exit functions, status 3.
extern "C" void abort() { ::ExitProcess(3); }

// The entry point: the stack is realigned, as the platform guarantees only 4 bytes.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup() {
  RestrictDllSearch();
  RunConstructorList();
  STARTUPINFOA startup;
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
  exit(WinMain(::GetModuleHandleA(nullptr), nullptr, CommandTail(::GetCommandLineA()), show));
}
