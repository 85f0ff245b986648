#include <windows.h>

#include "framework/WinApp.h"

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
