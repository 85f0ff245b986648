// The text viewer on real windows: loading and its failures, bars and scrolling,
// drawing (compared pixel by pixel with the platform's own text layout call), focus,
// several viewers, and the objects' life.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/SystemCodePages.h"
#include "res/resource.h"
#include "tests/common/DoubleByteTexts.h"
#include "tests/win32/AllocationCount.h"
#include "tests/win32/ImportHook.h"
#include "tests/win32/TestResources.h"
#include "tests/win32/TestSupport.h"
#include "viewer/TextView.h"
#include "viewer/TextWin.h"

namespace {

int g_framesMade = 0;
int g_framesDeleted = 0;

class CCountedTextWin : public CTextWin {
 public:
  CCountedTextWin() { ++g_framesMade; }
  ~CCountedTextWin() override { ++g_framesDeleted; }
};

// A frame rectangle with the given client size.
RECT FrameFor(int x, int y, int clientWidth, int clientHeight) {
  RECT r = {x, y, x + clientWidth, y + clientHeight};
  ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
  return r;
}

// Opens a viewer the way the main dialog's buttons do. Null when creation failed.
CTextWin* Open(const std::string& file, const RECT& rect = FrameFor(40, 40, 400, 240)) {
  CTextWin* win = new CCountedTextWin;
  win->FileName = file;
  if (!win->Create(nullptr, ("Viewing - " + file).c_str(), WS_OVERLAPPEDWINDOW, rect, nullptr,
                   nullptr)) {
    return nullptr;
  }
  win->ShowWindow(SW_SHOWNORMAL);
  win->UpdateWindow();
  PumpMessagesFor(30);
  return win;
}

void Close(CTextWin* win) {
  HWND frame = win->m_hWnd;
  ::PostMessageA(frame, WM_CLOSE, 0, 0);
  PumpMessagesFor(30);
  EXPECT_FALSE(::IsWindow(frame));
}

bool HasBar(const CTextView* view, DWORD bar) { return (view->GetStyle() & bar) != 0; }

void Key(HWND target, UINT vk) {
  ::PostMessageA(target, WM_KEYDOWN, vk, 1);
  ::PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
  PumpMessagesFor(20);
}

POINT Pos(const CTextView* view) { return view->GetScrollPosition(); }

SIZE Client(HWND hWnd) {
  RECT r;
  ::GetClientRect(hWnd, &r);
  return SIZE{r.right, r.bottom};
}

std::string Lines(int count, int width) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    std::string line = "line " + std::to_string(i) + " ";
    while ((int)line.size() < width) line += (char)('a' + line.size() % 26);
    text += line + "\r\n";
  }
  return text;
}

// A 32-bit picture of a client-sized area.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

// Runs draw on a memory context of w x h and returns what it drew.
template <class Draw>
Picture Render(int w, int h, Draw draw) {
  Picture pic;
  pic.width = w;
  pic.height = h;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  draw(dc);
  ::GdiFlush();
  pic.pixels.assign((uint32_t*)bits, (uint32_t*)bits + (size_t)w * h);
  ::SelectObject(dc, old);
  ::DeleteObject(bmp);
  ::DeleteDC(dc);
  return pic;
}

// What the view shows on screen now.
Picture Screen(HWND view) {
  ::UpdateWindow(view);
  SIZE s = Client(view);
  return Render(s.cx, s.cy, [&](HDC dc) {
    HDC src = ::GetDC(view);
    ::BitBlt(dc, 0, 0, s.cx, s.cy, src, 0, 0, SRCCOPY);
    ::ReleaseDC(view, src);
  });
}

// The platform's layout of the whole text, as one DrawTextA call in the viewer font,
// with the text block's corner at (-x, -y).
Picture Reference(const std::string& text, SIZE size, POINT pos, UINT flags = 0) {
  return Render(size.cx, size.cy, [&](HDC dc) {
    RECT all = {0, 0, size.cx, size.cy};
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_WINDOW));
    ::SelectObject(dc, ::GetStockObject(OEM_FIXED_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetViewportOrgEx(dc, -pos.x, -pos.y, nullptr);
    ::DrawTextA(dc, text.data(), (int)text.size(), &all, DT_NOCLIP | flags);
  });
}

// Number of differing pixels. The first difference goes to the test's output unless
// a difference is what the test expects.
int Differences(const Picture& a, const Picture& b, bool expected = false) {
  if (a.width != b.width || a.height != b.height) return -1;
  int count = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if ((a.At(x, y) & 0xFFFFFF) == (b.At(x, y) & 0xFFFFFF)) continue;
      if (count++ == 0 && !expected) ADD_FAILURE() << "first difference at " << x << "," << y;
    }
  }
  return count;
}

// Records the largest coordinate or distance that the view's drawing and scrolling
// calls hand the platform, which the 95 family keeps in 16 bits.
class CoordinateWatch {
 public:
  CoordinateWatch()
      : m_textA("gdi32.dll", "ExtTextOutA", (void*)&TextA),
        m_textW("gdi32.dll", "ExtTextOutW", (void*)&TextW),
        m_fill("user32.dll", "FillRect", (void*)&Fill),
        m_origin("gdi32.dll", "SetViewportOrgEx", (void*)&Origin),
        m_scroll("user32.dll", "ScrollWindow", (void*)&Scroll) {
    s_largest = 0;
    s_calls = 0;
    s_self = this;
  }
  ~CoordinateWatch() { s_self = nullptr; }
  static long Largest() { return s_largest; }
  static int Calls() { return s_calls; }
  bool Active() const { return m_textA.Active() && m_fill.Active() && m_scroll.Active(); }

 private:
  static void Note(long v) {
    ++s_calls;
    if (v < 0) v = -v;
    if (v > s_largest) s_largest = v;
  }
  static BOOL WINAPI TextA(HDC dc, int x, int y, UINT o, const RECT* r, LPCSTR s, UINT n, const INT* dx) {
    Note(x), Note(y);
    return ((decltype(&TextA))s_self->m_textA.Original())(dc, x, y, o, r, s, n, dx);
  }
  static BOOL WINAPI TextW(HDC dc, int x, int y, UINT o, const RECT* r, LPCWSTR s, UINT n, const INT* dx) {
    Note(x), Note(y);
    return ((decltype(&TextW))s_self->m_textW.Original())(dc, x, y, o, r, s, n, dx);
  }
  static int WINAPI Fill(HDC dc, const RECT* r, HBRUSH b) {
    Note(r->left), Note(r->top), Note(r->right), Note(r->bottom);
    return ((decltype(&Fill))s_self->m_fill.Original())(dc, r, b);
  }
  static BOOL WINAPI Origin(HDC dc, int x, int y, POINT* old) {
    Note(x), Note(y);
    return ((decltype(&Origin))s_self->m_origin.Original())(dc, x, y, old);
  }
  static BOOL WINAPI Scroll(HWND h, int dx, int dy, const RECT* r, const RECT* c) {
    Note(dx), Note(dy);
    return ((decltype(&Scroll))s_self->m_scroll.Original())(h, dx, dy, r, c);
  }

  static inline long s_largest = 0;
  static inline int s_calls = 0;
  static inline CoordinateWatch* s_self = nullptr;
  ImportHook m_textA, m_textW, m_fill, m_origin, m_scroll;
};

class Viewer : public ::testing::Test {
 protected:
  TempFolder folder;
  ScopedCurrentDirectory cd{folder.Path()};
  MessageBoxRecorder boxes;
};

TEST_F(Viewer, MissingFileShowsFileNotFoundThenAnEmptyFrame) {
  boxes.OnShow = [](const RecordedMessageBox& box) {
    EXPECT_EQ(WindowText(box.owner), "Viewing - VOR.nfo") << "the box belongs to the viewer";
    EXPECT_FALSE(::IsWindowVisible(box.owner)) << "shown before the viewer";
  };
  CTextWin* win = Open("VOR.nfo");
  ASSERT_NE(win, nullptr);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "VOR.nfo");
  EXPECT_EQ(boxes.boxes[0].caption, "File Not Found");
  EXPECT_EQ(boxes.boxes[0].style, 0u);

  HWND frame = win->m_hWnd;
  EXPECT_TRUE(::IsWindowVisible(frame));
  EXPECT_EQ(WindowText(frame), "Viewing - VOR.nfo");
  EXPECT_EQ(win->View, nullptr);
  EXPECT_EQ(::GetWindow(frame, GW_CHILD), nullptr);
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  EXPECT_EQ((HICON)::SendMessageA(frame, WM_GETICON, ICON_BIG, 0), icon);
  EXPECT_EQ((HICON)::SendMessageA(frame, WM_GETICON, ICON_SMALL, 0), icon);
  ::SetFocus(frame);
  EXPECT_EQ(::GetFocus(), frame);
  Key(frame, VK_NEXT);  // nothing to scroll, nothing breaks
  Close(win);
}

TEST_F(Viewer, FileThatCannotBeOpenedShowsFileOpenFailure) {
  folder.Write("VORDECOMP.LOG", "held by the decompressor\r\n");
  HANDLE held = ::CreateFileA(folder.File("VORDECOMP.LOG").c_str(), GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ::CreateDirectoryA(folder.File("file_id.diz").c_str(), nullptr);
  for (const char* name : {"VORDECOMP.LOG", "file_id.diz", "no such folder\\VOR.nfo"}) {
    boxes.boxes.clear();
    CTextWin* win = Open(name);
    ASSERT_NE(win, nullptr);
    ASSERT_EQ(boxes.boxes.size(), 1u) << name;
    EXPECT_EQ(boxes.boxes[0].text, name);
    EXPECT_EQ(boxes.boxes[0].caption, "File Open Failure") << name;
    EXPECT_EQ(win->View, nullptr);
    Close(win);
  }
  ::CloseHandle(held);

  // Opened, but its length cannot be read: the view fails without a message.
  const std::string pipe =
      "\\\\.\\pipe\\vor-viewer-test-" + std::to_string(::GetCurrentProcessId());
  HANDLE server = ::CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0,
                                     0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  boxes.boxes.clear();
  CTextWin* empty = Open(pipe);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(empty->View, nullptr);
  Close(empty);
  ::CloseHandle(server);

  // Once the other handle is gone, the log opens, and the viewer holds no handle to it.
  CTextWin* win = Open("VORDECOMP.LOG");
  ASSERT_NE(win->View, nullptr);
  EXPECT_EQ(win->View->Text, "held by the decompressor\r\n");
  EXPECT_TRUE(::DeleteFileA(folder.File("VORDECOMP.LOG").c_str()));
  Close(win);
}

// GetFileSize as the viewer's loading sees it, with a length of the test's choosing.
ULONGLONG g_fakeLength = 0;
DWORD WINAPI FakeGetFileSize(HANDLE, LPDWORD high) {
  if (high != nullptr) *high = static_cast<DWORD>(g_fakeLength >> 32);
  return static_cast<DWORD>(g_fakeLength);
}

TEST_F(Viewer, TextTooLargeToHoldGivesAnEmptyFrameNotAnAbort) {
  folder.Write("VOR.nfo", "short\r\n");
  ImportHook size("kernel32.dll", "GetFileSize", reinterpret_cast<void*>(&FakeGetFileSize));
  ASSERT_TRUE(size.Active());
  // More than a string can hold, and, where that is more than the address space can
  // give (64-bit; on 32-bit it is two gigabytes, which may be had), as much as it can
  // hold: an allocation that fails.
  const ULONGLONG most = CString::max_size();
  for (ULONGLONG length : {most + 1, most}) {
    if (length == most && sizeof(void*) < 8) continue;
    g_fakeLength = length;
    boxes.boxes.clear();
    CTextWin* win = Open("VOR.nfo");
    ASSERT_NE(win, nullptr) << length;
    EXPECT_TRUE(boxes.boxes.empty()) << length;
    EXPECT_EQ(win->View, nullptr) << length;
    EXPECT_TRUE(::IsWindowVisible(win->m_hWnd));
    Close(win);
  }
}

TEST_F(Viewer, EmptyFileAndTextThatFitsHaveNoBarsAndDoNotScroll) {
  folder.Write("empty.txt", "");
  const std::string text = "VOR presents\r\n\r\n  a small text\r\n";
  folder.Write("small.txt", text);
  for (const char* name : {"empty.txt", "small.txt"}) {
    CTextWin* win = Open(name);
    ASSERT_NE(win->View, nullptr);
    CTextView* view = win->View;
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(HasBar(view, WS_HSCROLL));
    EXPECT_FALSE(HasBar(view, WS_VSCROLL));
    EXPECT_EQ(::GetFocus(), view->m_hWnd);
    for (UINT vk : {VK_NEXT, VK_DOWN, VK_RIGHT, VK_PRIOR, VK_UP, VK_LEFT}) Key(view->m_hWnd, vk);
    EXPECT_EQ(Pos(view).x, 0);
    EXPECT_EQ(Pos(view).y, 0);
    // At the top-left corner, not centred, exactly as the platform lays the text out.
    const std::string shown = name == std::string("empty.txt") ? "" : text;
    EXPECT_EQ(Differences(Screen(view->m_hWnd), Reference(shown, Client(view->m_hWnd), {0, 0})), 0);
    Close(win);
  }
}

TEST_F(Viewer, ExtentIsThePlatformsForOrdinaryText) {
  const std::vector<std::string> texts = {
      "abc",           "abc\r\n",        "a\r\n\r\nb",       "one\ntwo\rthree\r\nfour",
      "R&D and A&&B",  "&&&x",           "\r\n\r\n",         Lines(30, 70),
  };
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::SelectObject(dc, ::GetStockObject(OEM_FIXED_FONT));
  for (const std::string& text : texts) {
    folder.Write("t.txt", text);
    CTextWin* win = Open("t.txt");
    ASSERT_NE(win->View, nullptr);
    RECT r = {0, 0, 0, 0};
    ::DrawTextA(dc, text.data(), (int)text.size(), &r, DT_CALCRECT);
    EXPECT_EQ(win->View->TextWidth, r.right) << text;
    EXPECT_EQ(win->View->TextHeight, r.bottom) << text;
    Close(win);
  }
  ::DeleteDC(dc);
  // Each kind of line end ends one line.
  folder.Write("t.txt", "a\r\n\r\nb");
  CTextWin* win = Open("t.txt");
  EXPECT_EQ(win->View->TextHeight, 3 * win->View->LineHeight);
  EXPECT_EQ(win->View->TextWidth, win->View->CharWidth);
  Close(win);
}

TEST_F(Viewer, LongTextScrollsByLinesAndPagesAndStopsAtTheEnd) {
  const std::string text = Lines(100, 40);
  folder.Write("long.txt", text);
  CTextWin* win = Open("long.txt");
  ASSERT_NE(win->View, nullptr);
  CTextView* view = win->View;
  HWND h = view->m_hWnd;
  const int lh = view->LineHeight;
  EXPECT_EQ(view->TextHeight, 100 * lh);
  EXPECT_TRUE(HasBar(view, WS_VSCROLL));
  EXPECT_FALSE(HasBar(view, WS_HSCROLL));
  const SIZE client = Client(h);

  Key(h, VK_UP);
  Key(h, VK_PRIOR);
  EXPECT_EQ(Pos(view).y, 0);
  ::PostMessageA(h, WM_KEYDOWN, VK_DOWN, 5);  // an auto-repeat message is one step too
  PumpMessagesFor(20);
  EXPECT_EQ(Pos(view).y, lh);
  EXPECT_EQ(::GetScrollPos(h, SB_VERT), lh);
  Key(h, VK_NEXT);
  EXPECT_EQ(Pos(view).y, lh + client.cy) << "a page is the client height";
  ::SendMessageA(h, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_FALSE(::GetUpdateRect(h, nullptr, FALSE)) << "the uncovered strip is painted at once";
  ::SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, 0);
  // The uncovered strips were painted as a whole paint would paint them.
  EXPECT_EQ(Differences(Screen(h), Reference(text, client, Pos(view))), 0);

  for (int i = 0; i < 20; ++i) Key(h, VK_NEXT);
  const int end = view->TextHeight - client.cy;
  EXPECT_EQ(Pos(view).y, end) << "the last line's bottom at the view's bottom";
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ::GetScrollInfo(h, SB_VERT, &si);
  EXPECT_EQ(si.nMax - (int)si.nPage + 1, end);
  EXPECT_EQ(si.nPos, end);
  Key(h, VK_DOWN);
  EXPECT_EQ(Pos(view).y, end);
  EXPECT_EQ(Differences(Screen(h), Reference(text, client, Pos(view))), 0);
  Key(h, VK_PRIOR);
  EXPECT_EQ(Pos(view).y, end - client.cy);
  Key(h, VK_RIGHT);  // no horizontal bar: nothing
  EXPECT_EQ(Pos(view).x, 0);
  Close(win);
}

TEST_F(Viewer, WideLinesGetAHorizontalBarAndBarsGoWhenTheWindowGrows) {
  const std::string text = Lines(40, 120);
  folder.Write("wide.txt", text);
  CTextWin* win = Open("wide.txt");
  ASSERT_NE(win->View, nullptr);
  CTextView* view = win->View;
  HWND h = view->m_hWnd;
  const int cw = view->CharWidth;
  EXPECT_TRUE(HasBar(view, WS_HSCROLL));
  EXPECT_TRUE(HasBar(view, WS_VSCROLL));
  Key(h, VK_LEFT);
  EXPECT_EQ(Pos(view).x, 0);
  Key(h, VK_RIGHT);
  Key(h, VK_RIGHT);
  Key(h, VK_LEFT);
  EXPECT_EQ(Pos(view).x, cw);
  EXPECT_EQ(::GetScrollPos(h, SB_HORZ), cw);
  for (int i = 0; i < 3; ++i) Key(h, VK_DOWN);
  EXPECT_EQ(Differences(Screen(h), Reference(text, Client(h), Pos(view))), 0);

  // Minimised and restored: nothing moved.
  ::ShowWindow(win->m_hWnd, SW_MINIMIZE);
  PumpMessagesFor(30);
  ::ShowWindow(win->m_hWnd, SW_RESTORE);
  PumpMessagesFor(30);
  EXPECT_EQ(Pos(view).x, cw);
  EXPECT_EQ(Pos(view).y, 3 * view->LineHeight);

  // Wide enough for the text beside the vertical bar: the horizontal bar goes, x is 0.
  const int vbar = ::GetSystemMetrics(SM_CXVSCROLL);
  RECT r = FrameFor(40, 40, view->TextWidth + vbar, 240);
  ::MoveWindow(win->m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  PumpMessagesFor(30);
  EXPECT_FALSE(HasBar(view, WS_HSCROLL));
  EXPECT_TRUE(HasBar(view, WS_VSCROLL));
  EXPECT_EQ(Pos(view).x, 0);
  EXPECT_EQ(Pos(view).y, 3 * view->LineHeight);
  EXPECT_EQ(Client(h).cx, view->TextWidth);
  // The frame gives its view the whole client area.
  EXPECT_EQ(Client(h).cx + vbar, Client(win->m_hWnd).cx);
  EXPECT_EQ(Client(h).cy, Client(win->m_hWnd).cy);

  // One pixel narrower: the vertical bar takes the room, the horizontal bar comes back.
  r = FrameFor(40, 40, view->TextWidth + vbar - 1, 240);
  ::MoveWindow(win->m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  PumpMessagesFor(30);
  EXPECT_TRUE(HasBar(view, WS_HSCROLL));

  // Too small for a bar at all: none, and the position goes to the corner.
  r = FrameFor(40, 40, 10, 10);
  ::MoveWindow(win->m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  PumpMessagesFor(30);
  EXPECT_FALSE(HasBar(view, WS_HSCROLL));
  EXPECT_FALSE(HasBar(view, WS_VSCROLL));
  EXPECT_EQ(Pos(view).y, 0);

  // Big enough for everything: no bars.
  r = FrameFor(40, 40, view->TextWidth, view->TextHeight);
  ::MoveWindow(win->m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  PumpMessagesFor(30);
  EXPECT_FALSE(HasBar(view, WS_HSCROLL));
  EXPECT_FALSE(HasBar(view, WS_VSCROLL));
  EXPECT_EQ(Differences(Screen(h), Reference(text, Client(h), {0, 0})), 0);
  Close(win);
}

TEST_F(Viewer, PrefixesTabsAndHighBytesFollowTheLayoutRules) {
  // Ampersands: one is not shown and underlines the next letter, two show one.
  const std::string prefixed = "R&D and A&&B\r\n&&&x y\r\nA&&&&B";
  folder.Write("amp.txt", prefixed);
  CTextWin* win = Open("amp.txt");
  ASSERT_NE(win->View, nullptr);
  CTextView* view = win->View;
  const int cw = view->CharWidth;
  EXPECT_EQ(view->TextWidth, 10 * cw);
  Picture shown = Screen(view->m_hWnd);
  const SIZE size = Client(view->m_hWnd);
  EXPECT_EQ(Differences(shown, Reference(prefixed, size, {0, 0})), 0);
  EXPECT_NE(Differences(shown, Reference(prefixed, size, {0, 0}, DT_NOPREFIX), true), 0);
  Close(win);

  // Every single prefix of a line underlines its letter (the platform's call marks
  // only one per line).
  folder.Write("amp.txt", "&a&b");
  win = Open("amp.txt");
  shown = Screen(win->View->m_hWnd);
  const Picture ab = Reference("ab", size, {0, 0});
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::SelectObject(dc, ::GetStockObject(OEM_FIXED_FONT));
  TEXTMETRICA tm;
  ::GetTextMetricsA(dc, &tm);
  ::DeleteDC(dc);
  const int y = tm.tmAscent + 1;  // one pixel below the base line
  for (int cell = 0; cell < 2; ++cell) {
    for (int x = cell * cw; x < (cell + 1) * cw; ++x) {
      EXPECT_EQ(shown.At(x, y) != ab.At(x, y), x < (cell + 1) * cw - 1) << x;
    }
  }
  Close(win);

  // A tab is one cell with the font's character for byte 9; so is every byte above 127.
  folder.Write("tab.txt", std::string("a\tb\r\n\xC4\xB3\xDA"));
  win = Open("tab.txt");
  view = win->View;
  EXPECT_EQ(view->TextWidth, 3 * cw);
  shown = Screen(view->m_hWnd);
  const Picture blank = Reference("", Client(view->m_hWnd), {0, 0});
  const Picture spaced = Reference("a b", Client(view->m_hWnd), {0, 0});
  int inked = 0;
  for (int y = 0; y < view->LineHeight; ++y) {
    for (int x = 0; x < cw; ++x) {
      inked += shown.At(cw + x, y) != blank.At(cw + x, y);
      EXPECT_EQ(shown.At(2 * cw + x, y), spaced.At(2 * cw + x, y)) << "b in the third cell";
    }
  }
  EXPECT_GT(inked, 0) << "the tab's cell shows a character";
  if (view->DrawsThroughUnicode()) {
    // Box drawing of the OEM code page: a horizontal line fills its cell's width.
    const int y = view->LineHeight + view->LineHeight / 2;
    int longest = 0;
    for (int dy = -2; dy <= 2; ++dy) {
      int run = 0;
      for (int x = 0; x < cw; ++x) run += shown.At(x, y + dy) != blank.At(x, y + dy);
      longest = std::max(longest, run);
    }
    EXPECT_EQ(longest, cw) << "byte 0xC4 is the box drawing line";
  }
  Close(win);
}

TEST_F(Viewer, TwoViewersOnOneFileAreIndependent) {
  folder.Write("VOR.nfo", Lines(100, 20));
  CTextWin* first = Open("VOR.nfo", FrameFor(40, 40, 300, 200));
  CTextWin* second = Open("VOR.nfo", FrameFor(400, 40, 300, 200));
  ASSERT_NE(first->View, nullptr);
  ASSERT_NE(second->View, nullptr);
  EXPECT_EQ(WindowText(first->m_hWnd), WindowText(second->m_hWnd));
  Key(first->View->m_hWnd, VK_NEXT);
  EXPECT_GT(Pos(first->View).y, 0);
  EXPECT_EQ(Pos(second->View).y, 0);
  Key(second->View->m_hWnd, VK_DOWN);
  const POINT kept = Pos(second->View);
  Close(first);
  EXPECT_TRUE(::IsWindowVisible(second->m_hWnd));
  EXPECT_EQ(Pos(second->View).y, kept.y);
  Key(second->View->m_hWnd, VK_DOWN);
  EXPECT_EQ(Pos(second->View).y, 2 * second->View->LineHeight);
  Close(second);
}

TEST_F(Viewer, KeysReachTheViewOfTheActivatedFrameAlsoInsideModalLoops) {
  folder.Write("a.txt", Lines(100, 20));
  CTextWin* a = Open("a.txt", FrameFor(40, 40, 300, 200));
  CTextWin* b = Open("a.txt", FrameFor(400, 40, 300, 200));
  EXPECT_EQ(::GetFocus(), b->View->m_hWnd);
  ::SetActiveWindow(a->m_hWnd);
  PumpMessagesFor(20);
  EXPECT_EQ(::GetFocus(), a->View->m_hWnd);
  ::SetFocus(b->m_hWnd);  // a click on the frame's title bar focuses the frame
  EXPECT_EQ(::GetFocus(), b->View->m_hWnd);
  Key(::GetFocus(), VK_DOWN);
  EXPECT_EQ(Pos(b->View).y, b->View->LineHeight);
  EXPECT_EQ(Pos(a->View).y, 0);

  // A modal dialog's loop hands the viewer's keys on (it translates only its own).
  CDialog form(IDD_TEST_FORM);
  RunScripted(form, {[&] {
    ::PostMessageA(a->View->m_hWnd, WM_KEYDOWN, VK_NEXT, 1);
    return true;
  }, [&] {
    EXPECT_EQ(Pos(a->View).y, Client(a->View->m_hWnd).cy);
    form.EndDialog(IDCANCEL);
    return true;
  }});
  Close(a);
  Close(b);
}

TEST_F(Viewer, ObjectsAreDeletedWithTheirWindows) {
  folder.Write("VOR.nfo", Lines(50, 100));
  // Warm-up: what is made once (window classes, the box recorder's list).
  Close(Open("VOR.nfo"));
  Close(Open("missing.txt"));
  boxes.boxes.clear();
  const long live = LiveAllocations();
  const int made = g_framesMade;
  const int deleted = g_framesDeleted;
  for (const char* name : {"VOR.nfo", "VOR.nfo", "missing.txt"}) {
    CTextWin* win = Open(name);
    ASSERT_NE(win, nullptr);
    Key(::GetFocus(), VK_NEXT);
    Close(win);
  }
  boxes.boxes.clear();
  EXPECT_EQ(g_framesMade - made, 3);
  EXPECT_EQ(g_framesDeleted - deleted, 3);
  EXPECT_EQ(LiveAllocations(), live) << "the views and their texts are gone too";

  // A frame whose window cannot be made at all is gone when Create returns.
  CTextWin* lost = new CCountedTextWin;
  EXPECT_FALSE(lost->Create("NoSuchWindowClass", "x", WS_OVERLAPPEDWINDOW));
  EXPECT_EQ(g_framesDeleted - deleted, 4);
}

// The bars' own parts, used with the mouse.
TEST_F(Viewer, ScrollBarArrowsTroughAndThumb) {
  const std::string text = Lines(300, 20);
  folder.Write("long.txt", text);
  CTextWin* win = Open("long.txt", FrameFor(100, 100, 300, 200));
  CTextView* view = win->View;
  HWND h = view->m_hWnd;
  // A press, moves and the release all go in at once: the bar's own tracking loop
  // takes them while the messages are pumped. They all stay over the view: input is
  // routed to the window under the mouse when it is sent, before the bar captures it.
  auto mouse = [&](std::vector<std::pair<POINT, DWORD>> steps) {
    std::vector<INPUT> in;
    for (const auto& step : steps) {
      INPUT i = {};
      i.type = INPUT_MOUSE;
      i.mi.dx = (step.first.x * 65535 + 65535 / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
      i.mi.dy = (step.first.y * 65535 + 65535 / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
      i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | step.second;
      in.push_back(i);
    }
    ::SendInput((UINT)in.size(), in.data(), sizeof(INPUT));
    PumpMessagesFor(100);

  };
  auto click = [&](POINT at) { mouse({{at, MOUSEEVENTF_LEFTDOWN}, {at, MOUSEEVENTF_LEFTUP}}); };
  SCROLLBARINFO sbi = {};
  sbi.cbSize = sizeof sbi;
  ASSERT_TRUE(::GetScrollBarInfo(h, OBJID_VSCROLL, &sbi));
  const RECT bar = sbi.rcScrollBar;
  const int x = (bar.left + bar.right) / 2;
  const int end = view->TextHeight - Client(h).cy;

  const int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
  click(POINT{x, bar.bottom - arrow / 2});  // the down arrow
  EXPECT_EQ(Pos(view).y, view->LineHeight);
  click(POINT{x, bar.bottom - arrow - 2});  // the trough below the thumb
  EXPECT_EQ(Pos(view).y, view->LineHeight + Client(h).cy);
  click(POINT{x, bar.top + arrow / 2});  // the up arrow
  EXPECT_EQ(Pos(view).y, Client(h).cy);

  // Dragging the thumb: the position follows it, to the end of the text at most.
  ::GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
  const POINT thumb = {x, bar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2};
  const POINT lower = {x, thumb.y + 30};
  mouse({{thumb, MOUSEEVENTF_LEFTDOWN}, {lower, 0}, {lower, MOUSEEVENTF_LEFTUP}});
  EXPECT_GT(Pos(view).y, Client(h).cy);
  EXPECT_LT(Pos(view).y, end);
  EXPECT_EQ(::GetScrollPos(h, SB_VERT), Pos(view).y);
  EXPECT_EQ(Differences(Screen(h), Reference(text, Client(h), Pos(view))), 0);
  ::GetScrollBarInfo(h, OBJID_VSCROLL, &sbi);
  const POINT thumb2 = {x, bar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2};
  const POINT below = {x, bar.bottom - arrow - 1};
  mouse({{thumb2, MOUSEEVENTF_LEFTDOWN}, {below, 0}, {below, MOUSEEVENTF_LEFTUP}});
  EXPECT_EQ(Pos(view).y, end);
  Close(win);
}

}  // namespace

TEST_F(Viewer, TextOfAnyLengthStaysWithinSixteenBitCoordinates) {
  // 200,000 lines, the last with a prefixed letter so that an underline is drawn too.
  std::string text = Lines(200000, 30);
  text.insert(text.size() - 20, "R&D ");
  folder.Write("huge.txt", text);
  CTextWin* win = Open("huge.txt");
  ASSERT_NE(win->View, nullptr);
  CTextView* view = win->View;
  HWND h = view->m_hWnd;
  const int lh = view->LineHeight;
  ASSERT_GT(view->TextHeight, 32767 * 8);
  const SIZE client = Client(h);

  CoordinateWatch watch;
  ASSERT_TRUE(watch.Active()) << "the viewer's drawing calls could not be watched";
  // To the end in one move, as a thumb dragged to the bottom does, then a line and a
  // page back and forth, then a full repaint.
  view->ScrollToPosition(POINT{0, 0x7FFFFFFF});
  const int end = view->TextHeight - client.cy;
  EXPECT_EQ(Pos(view).y, end);
  Key(h, VK_UP);
  Key(h, VK_DOWN);
  Key(h, VK_PRIOR);
  Key(h, VK_NEXT);
  ::InvalidateRect(h, nullptr, TRUE);
  ::UpdateWindow(h);
  EXPECT_GT(CoordinateWatch::Calls(), 0);
  EXPECT_LE(CoordinateWatch::Largest(), 32767);

  // The last lines are drawn: the screen matches the platform's layout of the tail.
  const int first = end / lh;
  size_t at = 0;
  for (int k = 0; k < first; ++k) at = text.find("\r\n", at) + 2;
  EXPECT_EQ(Differences(Screen(h), Reference(text.substr(at), client, POINT{0, end - first * lh})), 0);
  Close(win);
}

namespace {

// Where a double-byte OEM code page is the system's (run with VOR_WINE_CODEPAGE), the
// viewer's font shows double-byte characters: each is drawn whole, in its own two cells,
// also where the view is scrolled sideways or repainted in part, an edge cutting it.
class DoubleByteViewer : public Viewer {
 protected:
  void SetUp() override {
    texts = DoubleByteTextsFor(::GetOEMCP());
    ASSERT_TRUE(texts != nullptr && AfxOemCodePage().IsDoubleByte())
        << "the OEM code page is " << ::GetOEMCP() << ", not a double-byte one";
  }
  const DoubleByteTexts* texts = nullptr;
};

// The pieces of text the viewer draws, with their positions.
struct DrawnText {
  int x;
  std::string bytes;
};
std::vector<DrawnText> g_drawn;
ImportHook* g_textOut = nullptr;
BOOL WINAPI RecordTextOut(HDC dc, int x, int y, UINT o, const RECT* r, LPCSTR s, UINT n,
                          const INT* dx) {
  g_drawn.push_back(DrawnText{x, std::string(s, n)});
  return ((decltype(&RecordTextOut))g_textOut->Original())(dc, x, y, o, r, s, n, dx);
}

}  // namespace

TEST_F(DoubleByteViewer, CharactersAreDrawnWholeWhenScrolledSideways) {
  std::string line;
  for (int i = 0; i < 60; ++i) line += texts->fiveC;  // two bytes, two cells each
  folder.Write("wide.txt", line + "\r\n" + line + "\r\n");
  CTextWin* win = Open("wide.txt");
  ASSERT_NE(win->View, nullptr);
  CTextView* view = win->View;
  HWND h = view->m_hWnd;
  const int cw = view->CharWidth;
  EXPECT_EQ(view->TextWidth, 120 * cw);
  for (int i = 0; i < 3; ++i) Key(h, VK_RIGHT);
  ASSERT_EQ(Pos(view).x, 3 * cw) << "the view starts in the middle of a character";

  ImportHook hook("gdi32.dll", "ExtTextOutA", (void*)&RecordTextOut);
  ASSERT_TRUE(hook.Active());
  g_textOut = &hook;
  // The whole view, then a strip whose left edge lies in the middle of a character.
  for (const int left : {0, 2 * cw}) {
    SCOPED_TRACE(left);
    g_drawn.clear();
    RECT strip = {left, 0, left + 5 * cw, Client(h).cy};
    ::InvalidateRect(h, &strip, TRUE);
    ::UpdateWindow(h);
    ASSERT_FALSE(g_drawn.empty());
    for (const DrawnText& d : g_drawn) {
      const int cell = (d.x + Pos(view).x) / cw;
      EXPECT_EQ(d.x + Pos(view).x, cell * cw);
      EXPECT_EQ(cell % 2, 0) << "drawing starts on a trail byte at cell " << cell;
      EXPECT_EQ(d.bytes.size() % 2, 0u) << "half a character at the end";
      EXPECT_EQ(d.bytes, line.substr(cell, d.bytes.size()));
      EXPECT_LE(d.x, left) << "the character cut by the edge comes whole";
    }
  }
  g_textOut = nullptr;
  Close(win);
}
