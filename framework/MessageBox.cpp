#include "framework/MessageBox.h"

#include "framework/WinApp.h"

namespace {
MessageBoxHook g_hook;
}

int AfxShowMessageBox(HWND hOwner, const CString& text, const CString& caption, UINT style) {
  if (g_hook.show != nullptr) return g_hook.show(g_hook.context, hOwner, text, caption, style);
  return ::MessageBoxA(hOwner, text.c_str(), caption.c_str(), style);
}

int AfxMessageBox(UINT nIDPrompt, UINT style) {
  CWinApp* app = AfxGetApp();
  const CString caption = app ? app->m_strAppName : CString();
  return AfxShowMessageBox(::GetActiveWindow(), AfxLoadString(nIDPrompt), caption, style);
}

MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook previous = g_hook;
  g_hook = hook;
  return previous;
}

CString AfxLoadString(UINT nID) {
  // LoadStringA with a zero length returns a read-only pointer into the resource in
  // its wide form only; read into a growing buffer instead.
  CString text;
  for (size_t room = 256;; room *= 2) {
    int n = ::LoadStringA(::GetModuleHandleA(nullptr), nID, text.GetBuffer(room),
                          static_cast<int>(room + 1));
    if (n <= 0) return CString();
    if (static_cast<size_t>(n) < room) {
      text.ReleaseBuffer(static_cast<size_t>(n));
      return text;
    }
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
  CString message = text;
  message += detail;
  message += '\n';
  message += why;
  return AfxShowMessageBox(hOwner, message, caption, MB_ICONSTOP);
}
