#include <windows.h>

#include <cstdlib>

#include "framework/WinApp.h"

// The compiler runtime's default terminate handler prints the demangled type of an
// uncaught exception, which links a whole demangler into the program. A GUI program
// has nowhere to print to: end at once instead.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return -1;
  app->InitApplication(hInstance);
  if (!app->InitInstance()) return app->ExitInstance();
  // A start-up step that returns true would run an application message loop; this
  // program's never does.
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  app->NoteQuitRequest((int)msg.wParam);
  return app->ExitInstance();
}
