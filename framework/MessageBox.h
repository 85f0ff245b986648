// Every message box of the program is shown through AfxShowMessageBox, so that tests
// can see its text, caption and style and give the answer.
#pragma once
#include <windows.h>

#include "framework/String.h"

// What shows the boxes instead of the system (tests): show gets the context back.
struct MessageBoxHook {
  int (*show)(void* context, HWND owner, StringView text, StringView caption, UINT style) = nullptr;
  void* context = nullptr;
};

// Shows a message box owned by hOwner and returns the button pressed.
int AfxShowMessageBox(HWND hOwner, const CString& text, const CString& caption, UINT style);

// Prompt from the string table, captioned with the application's name, owned by the
// active window of the thread.
int AfxMessageBox(UINT nIDPrompt, UINT style);

// Replaces the real message box (tests). Returns the previous hook; a hook without
// show restores the real one.
MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook);

// A string from the program's string table; empty when the table has no entry.
CString AfxLoadString(UINT nID);

// A message box with the stop icon for a platform call that failed with `error`: the
// text, then on a line of its own the platform's own text for the error (for 2: "The
// system cannot find the file specified."), or "Error code " and the number when it
// has none.
// `text` and `detail` are joined without anything between them.
int AfxShowErrorBox(HWND hOwner, const char* text, const char* detail, DWORD error,
                    const char* caption);
