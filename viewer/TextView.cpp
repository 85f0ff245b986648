#include "viewer/TextView.h"

#include <algorithm>
#include <limits>

#include "framework/File.h"
#include "framework/MessageBox.h"
#include "framework/SystemCodePages.h"
#include "viewer/ViewerKeys.h"
#include "viewer/ViewerTexts.h"

namespace {

int ClampToInt(int64_t v) {
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

// The largest piece read in one call; a file below this size is read by one call.
const size_t kReadPiece = 0x40000000;

}  // namespace

BEGIN_MESSAGE_MAP(CTextView, CScrollView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

int CTextView::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CScrollView::OnCreate(lpCreateStruct) == -1) return -1;

  CFile file;
  CFileException error;
  if (!file.Open(FileName.c_str(), CFile::modeRead | CFile::shareExclusive, &error)) {
    const char* caption = error.m_cause == FileErrorCause::FileNotFound ? kFileNotFoundCaption
                                                                          : kFileOpenFailureCaption;
    AfxShowMessageBox(lpCreateStruct->hwndParent, FileName, caption, MB_OK);
    return -1;
  }
  // Any other failure, the memory for the text or its layout included, ends the
  // creation without a message; the file closes with the CFile object.
  if (!ReadText(file)) return -1;
  file.Close();
  // The font shows the bytes in the OEM code page: its double-byte characters are
  // laid out and drawn whole.
  m_layout = TextLayout(Text.data(), Text.size(), AfxOemCodePage());
  if (m_layout.Failed()) return -1;
  return Measure() ? 0 : -1;
}

bool CTextView::ReadText(CFile& file) {
  ULONGLONG length = 0;
  if (!file.GetLength(length)) return false;
  if (length > CString::max_size() || !Text.TryResize(static_cast<size_t>(length))) return false;
  // One read for every file below a gigabyte. A file that turned out shorter than its
  // length (truncated in between) gives the bytes it had.
  size_t got = 0;
  while (got < Text.size()) {
    const size_t want = std::min(Text.size() - got, kReadPiece);
    UINT n = 0;
    if (!file.Read(&Text[got], static_cast<UINT>(want), n)) return false;
    if (n == 0) break;
    got += n;
  }
  Text.resize(got);
  return true;
}

bool CTextView::Measure() {
  HDC dc = ::GetDC(m_hWnd);
  if (dc == nullptr) return false;
  HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(OEM_FIXED_FONT));
  TEXTMETRICA tm = {};
  const bool ok = ::GetTextMetricsA(dc, &tm) != 0;
  // Where the stock font has the OEM character set, the bytes go to it as they are.
  // Where it has not (a platform without an OEM raster font), the bytes are turned into
  // the OEM code page's characters (with its glyphs for control bytes) and drawn from
  // the font's Unicode glyphs, cell by cell; this needs a one-byte OEM code page.
  CPINFO cp = {};
  m_throughUnicode = ::GetTextCharset(dc) != OEM_CHARSET && ::GetCPInfo(CP_OEMCP, &cp) &&
                     cp.MaxCharSize == 1;
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(m_hWnd, dc);
  if (!ok) return false;

  CharWidth = tm.tmAveCharWidth;
  LineHeight = tm.tmHeight;
  m_ascent = tm.tmAscent;
  // The same layout rules as drawing: widest line in cells, and the number of lines.
  TextWidth = m_layout.TextWidthPixels(CharWidth);
  TextHeight = m_layout.TextHeightPixels(LineHeight);
  return true;
}

void CTextView::OnSize(UINT nType, int cx, int cy) {
  CScrollView::OnSize(nType, cx, cy);
  // The page is the client size as it is now, after the base has brought the bars up
  // to date: when a bar appeared or vanished meanwhile, cx and cy are out of date.
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  SetScrollSizes(MM_TEXT, SIZE{TextWidth, TextHeight}, SIZE{client.right, client.bottom},
                 SIZE{CharWidth, LineHeight});
}

void CTextView::OnKeyDown(UINT nChar, UINT, UINT) {
  const KeyScroll key = LookUpViewerKey(nChar);
  if (key.scrolls) SendMessage(key.message, MAKEWPARAM(key.code, 0), 0);
  Default();
}

void CTextView::OnDraw(HDC hDC) {
  if (CharWidth <= 0 || LineHeight <= 0 || m_layout.LineCount() == 0) return;

  const POINT pos = GetScrollPosition();
  const int64_t x = pos.x;
  const int64_t y = pos.y;

  RECT clip;
  const int region = ::GetClipBox(hDC, &clip);
  if (region == NULLREGION) return;
  if (region == ERROR) ::GetClientRect(m_hWnd, &clip);

  const TextLayout::IndexRange lines =
      m_layout.VisibleLines(ClampToInt(y + clip.top), clip.bottom - clip.top, LineHeight);
  const TextLayout::IndexRange cells =
      TextLayout::VisibleCells(ClampToInt(x + clip.left), clip.right - clip.left, CharWidth);
  if (lines.Empty() || cells.Empty()) return;

  HGDIOBJ oldFont = ::SelectObject(hDC, ::GetStockObject(OEM_FIXED_FONT));
  ::SetBkMode(hDC, TRANSPARENT);
  HBRUSH underline = nullptr;
  // Out of memory for the buffers: what was drawn stays, the rest stays blank.
  for (uint32_t k = lines.first; k < lines.last; ++k) {
    // A double-byte character cut by an edge comes whole: its first cell then lies
    // left of the clip, which hides it.
    if (!m_layout.GetShownText(k, cells.first, cells.last, m_shown)) break;
    if (m_shown.chars.empty()) continue;
    const size_t n = m_shown.chars.size();
    if (m_dx.size() < n && !m_dx.TryResize(n, CharWidth)) break;
    if (!DrawShown(hDC, ClampToInt(static_cast<int64_t>(m_shown.firstCell) * CharWidth - x),
                   ClampToInt(static_cast<int64_t>(k) * LineHeight - y), underline)) {
      break;
    }
  }
  if (underline != nullptr) ::DeleteObject(underline);
  ::SelectObject(hDC, oldFont);
}

bool CTextView::DrawShown(HDC hDC, int x, int y, HBRUSH& underline) {
  const int n = static_cast<int>(m_shown.chars.size());
  // Every character sits in its own cell, whatever its glyph's own advance.
  bool drawn = false;
  if (m_throughUnicode) {
    if (m_wide.size() < m_shown.chars.size() && !m_wide.TryResize(m_shown.chars.size())) {
      return false;
    }
    if (::MultiByteToWideChar(CP_OEMCP, MB_USEGLYPHCHARS, m_shown.chars.data(), n, m_wide.data(),
                              n) == n) {
      drawn = ::ExtTextOutW(hDC, x, y, 0, nullptr, m_wide.data(), static_cast<UINT>(n),
                            m_dx.data()) != 0;
    }
  }
  if (!drawn) {
    ::ExtTextOutA(hDC, x, y, 0, nullptr, m_shown.chars.data(), static_cast<UINT>(n), m_dx.data());
  }

  // Prefixed characters: a line of one pixel under the cell, one pixel below the base
  // line, one pixel short of the cell's width, in the text colour.
  for (uint32_t cell : m_shown.underlined) {
    if (underline == nullptr) underline = ::CreateSolidBrush(::GetTextColor(hDC));
    if (underline == nullptr) return true;
    const int left = ClampToInt(x + (static_cast<int64_t>(cell) - m_shown.firstCell) * CharWidth);
    RECT bar = {left, y + m_ascent + 1, left + std::max(CharWidth - 1, 1), y + m_ascent + 2};
    ::FillRect(hDC, &bar, underline);
  }
  return true;
}
