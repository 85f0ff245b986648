// Viewer windows over generated log-like text of 100 KB, 10 MB and 100 MB: the time to
// open a viewer against the time to read the file, the time of one paint and of one
// page step, and the memory the viewer holds.
//
// Build (Windows build folder): cmake --build build/win32-tests --target vor_viewer_bench
// Run:   xvfb-run -a -s "-screen 0 1280x1024x24"
//            tools/wine-run.sh win32 build/win32-tests/vor_viewer_bench.exe
// Show one viewer on a file for a while (for a screenshot):
//        ... vor_viewer_bench.exe --show <file> <seconds>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/WinApp.h"
#include "tests/bench/LogText.h"
#include "viewer/TextView.h"
#include "viewer/TextWin.h"

namespace {

class CBenchApp : public CWinApp {};
CBenchApp theBenchApp;

using Clock = std::chrono::steady_clock;

double MillisSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  ::CloseHandle(h);
  return ok && written == bytes.size();
}

// Reading the file whole, the way any program would: the yardstick for opening.
double ReadMillis(const std::string& path) {
  const Clock::time_point start = Clock::now();
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size;
  ::GetFileSizeEx(h, &size);
  char* buffer = static_cast<char*>(std::malloc((size_t)size.QuadPart + 1));
  DWORD got = 0;
  ::ReadFile(h, buffer, (DWORD)size.QuadPart, &got, nullptr);
  ::CloseHandle(h);
  const double ms = MillisSince(start);
  std::free(buffer);
  return ms;
}

// Committed private memory of the process (Wine reports it as the page file usage and
// leaves the private usage 0).
SIZE_T CommittedBytes() {
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  pmc.cb = sizeof pmc;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&pmc, sizeof pmc);
  return std::max(pmc.PrivateUsage, pmc.PagefileUsage);
}

const RECT kFrame = {20, 20, 20 + 820, 20 + 660};

CTextWin* OpenViewer(const std::string& path) {
  CTextWin* win = new CTextWin;
  win->FileName = path;
  if (!win->Create(nullptr, ("Viewing - " + path).c_str(), WS_OVERLAPPEDWINDOW, kFrame, nullptr,
                   nullptr)) {
    return nullptr;
  }
  win->ShowWindow(SW_SHOWNORMAL);
  win->UpdateWindow();
  return win;
}

void CloseViewer(CTextWin* win) {
  ::DestroyWindow(win->m_hWnd);
  Pump();
}

// Best of three openings (creation, showing, first paint) of a viewer on the file.
double OpenMillis(const std::string& path) {
  double best = 1e300;
  for (int i = 0; i < 3; ++i) {
    const Clock::time_point start = Clock::now();
    CTextWin* win = OpenViewer(path);
    best = std::min(best, MillisSince(start));
    if (win == nullptr) return -1;
    CloseViewer(win);
  }
  return best;
}

// The windows' own cost: a viewer on an empty file.
double g_windowMillis = 0;

void Measure(const char* name, const std::string& path, size_t bytes) {
  ReadMillis(path);  // into the file cache
  double read = 1e300;
  for (int i = 0; i < 3; ++i) read = std::min(read, ReadMillis(path));
  const double open = OpenMillis(path);
  if (open < 0) {
    std::printf("%s: the viewer did not open\n", name);
    return;
  }

  const SIZE_T before = CommittedBytes();
  CTextWin* win = OpenViewer(path);
  Pump();
  const SIZE_T after = CommittedBytes();
  CTextView* view = win->View;
  const size_t held = view->Text.capacity() + view->Layout().IndexBytes();
  HWND h = view->m_hWnd;

  // From the middle of the text.
  RECT client;
  ::GetClientRect(h, &client);
  view->ScrollToPosition(POINT{0, (view->TextHeight - client.bottom) / 2});
  Pump();

  const int rounds = 200;
  Clock::time_point start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    ::InvalidateRect(h, nullptr, TRUE);
    ::UpdateWindow(h);
  }
  const double paint = MillisSince(start) / rounds;

  start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    ::SendMessageA(h, WM_VSCROLL, (i % 2) ? SB_PAGEUP : SB_PAGEDOWN, 0);
  }
  const double page = MillisSince(start) / rounds;

  const double loading = std::max(open - g_windowMillis, 0.0);
  std::printf("%-11s %9zu bytes %7u lines | read %7.2f ms | open %7.2f ms, less the windows %7.2f ms"
              " = %4.2f x read | paint %5.3f ms | page step %5.3f ms | held %9zu bytes = file +"
              " %7zu index | committed +%9zu bytes\n",
              name, bytes, view->Layout().LineCount(), read, open, loading, loading / read, paint,
              page, held, view->Layout().IndexBytes(), (size_t)(after - before));
  CloseViewer(win);
}

int Show(const char* file, int seconds) {
  CTextWin* win = new CTextWin;
  win->FileName = file;
  if (!win->Create(nullptr, (std::string("Viewing - ") + file).c_str(), WS_OVERLAPPEDWINDOW,
                   RECT{40, 40, 40 + 680, 40 + 520}, nullptr, nullptr)) {
    return 1;
  }
  win->ShowWindow(SW_SHOWNORMAL);
  win->UpdateWindow();
  const DWORD end = ::GetTickCount() + seconds * 1000;
  while ((LONG)(::GetTickCount() - end) < 0) {
    Pump();
    ::Sleep(20);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  theBenchApp.InitApplication(::GetModuleHandleA(nullptr));
  if (argc == 4 && std::strcmp(argv[1], "--show") == 0) return Show(argv[2], std::atoi(argv[3]));

  char tempDir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, tempDir);
  const struct {
    const char* name;
    size_t bytes;
  } sizes[] = {{"log 100 KB", 100u * 1000u}, {"log 10 MB", 10u * 1000u * 1000u},
               {"log 100 MB", 100u * 1000u * 1000u}};
  const std::string path = std::string(tempDir) + "vor-viewer-bench.log";
  WriteFileBytes(path, "");
  g_windowMillis = OpenMillis(path);
  std::printf("windows of a viewer on an empty file: %.2f ms\n", g_windowMillis);
  for (const auto& s : sizes) {
    if (!WriteFileBytes(path, LogText(s.bytes))) {
      std::printf("cannot write %s\n", path.c_str());
      return 1;
    }
    Measure(s.name, path, s.bytes);
    ::DeleteFileA(path.c_str());
  }
  return 0;
}
