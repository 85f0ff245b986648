#include "tools/driver/Screenshot.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "tools/driver/Driver.h"
#include "tools/driver/PictureCheck.h"

namespace {

// The window and the visible windows that own it, within the screen.
RECT AreaOf(HWND window) {
  RECT area = {};
  ::GetWindowRect(window, &area);
  for (HWND owner = ::GetWindow(window, GW_OWNER); owner != nullptr; owner = ::GetWindow(owner, GW_OWNER)) {
    if (!::IsWindowVisible(owner)) continue;
    RECT r;
    ::GetWindowRect(owner, &r);
    ::UnionRect(&area, &area, &r);
  }
  RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::IntersectRect(&area, &area, &screen);
  return area;
}

// Activates the window, as a click on it would, and has it and its owners draw
// themselves now, frames included.
void DrawNow(HWND window) {
  ::SetForegroundWindow(window);
  // Without a window manager, Wine may leave the caption of a program's first window
  // drawn inactive while the window is the active one: it is told again.
  GUITHREADINFO gti = {};
  gti.cbSize = sizeof gti;
  if (::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gti) && gti.hwndActive == window) {
    ::SendMessageTimeoutA(window, WM_NCACTIVATE, TRUE, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
  }
  for (HWND w = window; w != nullptr; w = ::GetWindow(w, GW_OWNER)) {
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

void PutLE(std::vector<unsigned char>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A 24-bit BMP file: rows from the bottom, each padded to four bytes.
bool WriteBmp(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t dataBytes = rowBytes * height;
  std::vector<unsigned char> out;
  out.reserve(54 + dataBytes);
  out.push_back('B');
  out.push_back('M');
  PutLE(out, 54 + dataBytes, 4);
  PutLE(out, 0, 4);
  PutLE(out, 54, 4);
  PutLE(out, 40, 4);
  PutLE(out, width, 4);
  PutLE(out, height, 4);
  PutLE(out, 1, 2);
  PutLE(out, 24, 2);
  PutLE(out, BI_RGB, 4);
  PutLE(out, dataBytes, 4);
  PutLE(out, 2835, 4);  // 72 dpi
  PutLE(out, 2835, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) PutLE(out, pixels[static_cast<size_t>(y) * width + x], 3);
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

std::string SaveScreenshot(HWND window, const std::string& bmpPath, DWORD timeoutMs) {
  RECT area = {};
  std::vector<uint32_t> pixels;
  bool drawn = WaitUntil(
      [&] {
        if (!::IsWindow(window)) return true;
        DrawNow(window);
        ::Sleep(200);  // what the windows drew reaches the screen
        area = AreaOf(window);
        pixels = CaptureScreen(area);
        return !IsBlankPicture(pixels);
      },
      timeoutMs);
  if (!::IsWindow(window)) return "the window closed before its picture was taken";
  if (!drawn) {
    return pixels.empty() ? "the screen could not be read" : "the picture stays blank (one colour)";
  }
  if (!WriteBmp(bmpPath, area.right - area.left, area.bottom - area.top, pixels)) {
    return "cannot write " + bmpPath;
  }
  return "";
}

std::vector<uint32_t> CaptureScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  std::vector<uint32_t> pixels;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, dib);
    if (::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT)) {
      ::GdiFlush();
      const uint32_t* p = static_cast<const uint32_t*>(bits);
      pixels.assign(p, p + static_cast<size_t>(width) * height);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}
