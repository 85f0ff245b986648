#pragma once
#include <windows.h>

// Opens one more independent viewer window on a file of the current directory, in the
// frame rectangle given (CFrameWnd::rectDefault: where the platform puts it). Nobody
// keeps the window: it lives until the user closes it or the program ends.
void OpenViewer(const char* fileName, const RECT& rect);
