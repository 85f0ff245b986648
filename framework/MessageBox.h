// Every message box of the program is shown through AfxShowMessageBox, so that tests
// can see its text, caption and style and give the answer.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

using MessageBoxHook =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT style)>;

// Shows a message box owned by hOwner and returns the button pressed.
int AfxShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption,
                      UINT style);

// Prompt from the string table, captioned with the application's name, owned by the
// active window of the thread.
int AfxMessageBox(UINT nIDPrompt, UINT style);

// Replaces the real message box (tests). Returns the previous hook; an empty hook
// restores the real one.
MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook);

// A string from the program's string table; empty when the table has no entry.
std::string AfxLoadString(UINT nID);

// A message box with the stop icon for a platform call that failed with `error`: the
// text, then on a line of its own the platform's own text for the error (for 2: "The
// system cannot find the file specified."), or "Error code " and the number when it
// has none.
// `text` and `detail` are joined without anything between them.
int AfxShowErrorBox(HWND hOwner, const char* text, const char* detail, DWORD error,
                    const char* caption);
