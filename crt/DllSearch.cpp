// The DLL search of a program that is started from folders others can write to (a
// Downloads folder, an unpacked archive, a share). Windows looks for a DLL that is not
// one of its "known DLLs" in the program's own folder first, both for the program's
// imports and for the DLLs that the system's own code loads by bare name later (the
// theme library with the first window, the video library for an animation, ...). The
// program imports only known DLLs (KERNEL32, USER32, GDI32, SHELL32) and loads the
// common controls itself (framework/WinApp.cpp); this step covers the rest:
//
// - Where the system has SetDefaultDllDirectories (Windows 8 on, and Windows 7 and
//   Vista with the update that added it), every later search by name looks in the
//   system folder only. Not on Vista (6.0), where that search breaks the shell's COM
//   objects, which the folder browser and the folder removal use.
// - Elsewhere, SetDllDirectoryA("") (Windows XP SP1 on) takes the current folder out
//   of the search, and the DLLs that the system's code loads by bare name later are
//   loaded now from the system folder by their full path, so that a later search by
//   name finds them loaded already. Those that a system lacks are passed over; the
//   system's critical-error boxes ("cannot find ...") stay off meanwhile.
//
// Every function newer than Windows 95 and NT 4.0 is looked up: the program still
// starts there, with the preload as its only defence.
#include "crt/DllSearch.h"

#include <windows.h>

#include "crt/SystemFolder.h"

namespace {

// What the system's own code loads by bare name during such a program's run.
const char* const kLoadedByTheSystem[] = {
    "UXTHEME.DLL",   "USERENV.DLL",  "SETUPAPI.DLL", "APPHELP.DLL",
    "PROPSYS.DLL",   "DWMAPI.DLL",   "CRYPTBASE.DLL", "OLEACC.DLL",
    "CLBCATQ.DLL",   "NTMARTA.DLL",  "VERSION.DLL",  "PROFAPI.DLL",
};

constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

bool IsVista(DWORD version) {
  const bool nt = (version & 0x80000000u) == 0;
  return nt && LOBYTE(LOWORD(version)) == 6 && HIBYTE(LOWORD(version)) == 0;
}

}  // namespace

void RestrictDllSearch() {
  const HMODULE kernel = ::GetModuleHandleA("KERNEL32.DLL");
  if (kernel == nullptr) return;
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  const auto setDefault =
      reinterpret_cast<SetDefaultDirectories>(::GetProcAddress(kernel, "SetDefaultDllDirectories"));
  if (setDefault != nullptr && !IsVista(::GetVersion()) && setDefault(kSearchSystem32)) return;

  using SetDirectory = BOOL(WINAPI*)(LPCSTR);
  const auto setDirectory = reinterpret_cast<SetDirectory>(::GetProcAddress(kernel, "SetDllDirectoryA"));
  if (setDirectory != nullptr) setDirectory("");
  const UINT errorMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  for (const char* name : kLoadedByTheSystem) LoadSystemLibrary(name);
  ::SetErrorMode(errorMode);
}
