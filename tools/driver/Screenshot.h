// Pictures of what the screen shows of a program's windows, for vordrive.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Saves the part of the screen that a window and the visible windows owning it cover
// (a message box over its dialog over the main dialog) as a 24-bit BMP file. The
// window is brought to the front and drawn first; a picture that comes out blank (a
// window not drawn yet, PictureCheck.h) is taken again until timeoutMs is up, and then
// not saved. Returns an empty string, or why no picture was saved.
std::string SaveScreenshot(HWND window, const std::string& bmpPath, DWORD timeoutMs = 5000);

// The screen's pixels in that rectangle, rows from the top, as 0x00RRGGBB; empty when
// they cannot be read.
std::vector<uint32_t> CaptureScreen(const RECT& area);
