// CTextView: the scrolling view of a text viewer. It reads its file whole, once,
// while its window is created, lays it out (viewer/TextLayout.h) and draws it in the
// system's fixed-pitch OEM font. Keys: Page Up/Down and the four arrows scroll.
#pragma once
#include <cstdint>

#include "framework/PlainArray.h"
#include "framework/ScrollView.h"
#include "framework/String.h"
#include "viewer/TextLayout.h"

class CTextView : public CScrollView {
 public:
  CTextView() = default;

  int32_t CharWidth = 0;   // average character width of the viewer font
  int32_t LineHeight = 0;  // character height of the viewer font (no external leading)
  int32_t TextWidth = 0;   // widest line, in pixels
  int32_t TextHeight = 0;  // number of lines times LineHeight
  CString FileName;        // set before the window is created
  CString Text;            // the file's bytes, unconverted

  // The layout of Text, built once while the window is created.
  const TextLayout& Layout() const { return m_layout; }
  // True when characters are drawn through the OEM code page's Unicode glyphs (the
  // viewer font lacks the OEM character set), false when the bytes go to the font as
  // they are.
  bool DrawsThroughUnicode() const { return m_throughUnicode; }

 protected:
  // Draws the lines and cells that meet the context's clipping box, in device
  // coordinates, for the view's scroll position.
  void OnDraw(HDC hDC) override;

  int OnCreate(LPCREATESTRUCTA lpCreateStruct);
  void OnSize(UINT nType, int cx, int cy);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

  DECLARE_MESSAGE_MAP()

 private:
  // Reads the open file whole into Text; false when it could not be read or Text
  // cannot hold it.
  bool ReadText(class CFile& file);
  // Font sizes and text extent; false when no drawing context could be had.
  bool Measure();
  // Draws one piece of a line: the shown bytes from cell m_shown.firstCell on. False
  // when the memory for its buffer was not there.
  bool DrawShown(HDC hDC, int x, int y, HBRUSH& underline);

  TextLayout m_layout;
  int32_t m_ascent = 0;
  bool m_throughUnicode = false;
  // Buffers of OnDraw, kept so that a paint does not allocate once they have grown;
  // a paint that cannot grow them stops there.
  TextLayout::ShownText m_shown;
  CPlainArray<INT> m_dx;
  CPlainArray<WCHAR> m_wide;
};
