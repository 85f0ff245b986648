#include "framework/MessageBox.h"

#include "framework/WinApp.h"

namespace {
MessageBoxHook g_hook;
}

int AfxShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption,
                      UINT style) {
  if (g_hook) return g_hook(hOwner, text, caption, style);
  return ::MessageBoxA(hOwner, text.c_str(), caption.c_str(), style);
}

int AfxMessageBox(UINT nIDPrompt, UINT style) {
  CWinApp* app = AfxGetApp();
  std::string caption = app ? app->m_strAppName : std::string();
  return AfxShowMessageBox(::GetActiveWindow(), AfxLoadString(nIDPrompt), caption, style);
}

MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook previous = std::move(g_hook);
  g_hook = std::move(hook);
  return previous;
}

std::string AfxLoadString(UINT nID) {
  // LoadStringA with a zero length returns a read-only pointer into the resource in
  // its wide form only; read into a growing buffer instead.
  std::string text(256, '\0');
  for (;;) {
    int n = ::LoadStringA(::GetModuleHandleA(nullptr), nID, &text[0], static_cast<int>(text.size()));
    if (n <= 0) return std::string();
    if (static_cast<size_t>(n) < text.size() - 1) {
      text.resize(static_cast<size_t>(n));
      return text;
    }
    text.resize(text.size() * 2);
  }
}

int AfxShowErrorBox(HWND hOwner, const char* text, const char* detail, DWORD error,
                    const char* caption) {
  char why[512];
  DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             error, 0, why, sizeof why, nullptr);
  while (n > 0 && static_cast<unsigned char>(why[n - 1]) <= ' ') --n;  // its line end
  why[n] = '\0';
  if (n == 0) ::wsprintfA(why, "Error code %lu", error);
  std::string message = text;
  message += detail;
  message += '\n';
  message += why;
  return AfxShowMessageBox(hOwner, message, caption, MB_ICONSTOP);
}
