// Replaces one imported function of the test program for as long as the hook lives,
// by rewriting the program's import address table: every call the program's own code
// (the installer's code linked into it) makes to that function reaches the hook.
#pragma once
#include <windows.h>

class ImportHook {
 public:
  // dll: "gdi32.dll" (any case); function: the imported name. Active() tells whether
  // the program imports it.
  ImportHook(const char* dll, const char* function, void* replacement);
  ~ImportHook();
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  bool Active() const { return m_slot != nullptr; }
  // The function the program imported, for the hook to call on.
  void* Original() const { return m_original; }

 private:
  void** m_slot = nullptr;
  void* m_original = nullptr;
};
