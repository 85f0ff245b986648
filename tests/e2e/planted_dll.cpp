// A DLL planted beside a program under a system DLL's name (comctl32.dll, uxtheme.dll,
// ...): whoever loads it finds a file beside it, its own path with ".loaded" appended.
// It exports nothing, so a program that imports from it would not get far either.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH + 16];
    const DWORD n = ::GetModuleFileNameA(instance, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
      ::lstrcpyA(path + n, ".loaded");
      const HANDLE marker = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
      if (marker != INVALID_HANDLE_VALUE) ::CloseHandle(marker);
    }
  }
  return TRUE;
}
