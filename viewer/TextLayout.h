// TextLayout: the line layout of the text viewer, kept apart from the window
// system so that it can be built and tested natively.
//
// The viewer shows a whole file in a fixed-pitch OEM font, one character cell
// per byte. The layout is built once over the file's bytes in one linear pass;
// afterwards every question a paint asks (which lines are visible, what the
// visible cells of a line show) costs the same however large the file is, so
// the window code lays out and draws only what is on screen.
//
// Layout rules
//   - A line ends at a carriage return (CR), at a line feed (LF), or at a CR
//     followed by an LF; each of these ends exactly one line. "a\r\n\r\nb"
//     is three lines (the middle one empty), and so is "a\n\rb" (the LF ends
//     the first line, the CR the second).
//   - A line end at the very end of the text does not start another, empty
//     line. An empty text has no lines; "abc" and "abc\r\n" have one line,
//     "abc\r\n\r\n" has two (the second empty). The same count is used for
//     measuring and for drawing.
//   - No word wrap. Line k starts at the left edge, its top at k * line height.
//   - Every byte is one character cell, shown unconverted as the font's glyph
//     for that byte: a tab (9) is one cell, bytes 128..255 are one cell each.
//   - "&" is a prefix character. Within a line, the bytes are read from the
//     left in units:
//       "&&"               shows one "&" (not underlined)      one cell
//       "&" + other byte   shows that byte, underlined          one cell
//       "&" as the last byte of the line (also right before its line end)
//                          shows nothing                        no cell
//       any other byte     shows itself                         one cell
//     So "&&&x" shows "&" and an underlined "x"; "a&" shows "a".
//   - In a double-byte code page (the viewer's font has the OEM one), a lead
//     byte and the byte after it on the same line are one character of two
//     cells, shown whole ("&" before it underlines both cells); a lead byte
//     before a line end stands alone, in one cell. A single-byte code page
//     makes every byte a character.
//   - A piece of a line (the cells between two edges) holds whole characters
//     only: a double-byte character that an edge cuts is given whole, so
//     the piece may start one cell left of the window and end one cell right
//     of it, and the clip hides what lies outside.
//
// Sizes: a line has at most 4 GiB - 1 bytes and the whole text too (offsets
// are 32 bits; the program is 32-bit anyway). Bytes beyond that are left out
// of the layout and Truncated() reports it.
//
// Memory: the index grows with the text, through allocations that may fail: a
// layout that could not be held has no lines and reports Failed(). The bytes
// are not copied (the caller keeps them alive and unchanged for the layout's
// life); the layout holds one 32-bit offset per line plus,
// only for lines longer than the checkpoint stride, one 8-byte checkpoint per
// stride bytes of such a line (at most 0.2 % of the text with the default
// stride). The checkpoints let a paint start in the middle of a very long line
// without reading it from its start.
//
// Typical drawing code (y and x are the scroll position, w and h the visible
// size, cw and lh the character width and line height):
//
//   TextLayout::IndexRange lines = layout.VisibleLines(y, h, lh);
//   TextLayout::IndexRange cells = TextLayout::VisibleCells(x, w, cw);
//   TextLayout::ShownText shown;
//   for (uint32_t k = lines.first; k < lines.last; ++k) {
//       layout.GetShownText(k, cells.first, cells.last, shown);
//       // draw shown.chars at pixel (shown.firstCell * cw - x, k * lh - y),
//       // then underline each cell in shown.underlined
//   }

#ifndef VIEWER_TEXTLAYOUT_H
#define VIEWER_TEXTLAYOUT_H

#include <cstddef>
#include <cstdint>

#include "framework/CodePage.h"
#include "framework/PlainArray.h"
#include "framework/String.h"

class TextLayout {
public:
    // A half-open range [first, last) of line or cell indices.
    struct IndexRange {
        uint32_t first;
        uint32_t last;
        bool Empty() const { return first >= last; }
    };

    // The shown part of one line between two cells.
    struct ShownText {
        uint32_t firstCell = 0;           // cell of chars[0]
        CString chars;                    // one byte per cell, in cell order
        CPlainArray<uint32_t> underlined; // cells (counted from the line's
                                          // left edge) shown underlined
    };

    // Default checkpoint stride in bytes; see the notes above.
    static constexpr uint32_t kDefaultCheckpointStride = 4096;

    // An empty layout: no lines.
    TextLayout() = default;

    // Lays out the size bytes at data (may be null when size is 0), read in the
    // code page given. The bytes must stay alive and unchanged while the layout
    // is used. The stride is only worth changing in tests.
    TextLayout(const char* data, size_t size, const CodePage& cp,
               uint32_t checkpointStride = kDefaultCheckpointStride);

    // Number of lines (see the rules above: 0 for an empty text).
    uint32_t LineCount() const { return static_cast<uint32_t>(starts_.size()); }

    // Byte offsets of line k's first byte and of the byte just past its last
    // byte; the line end (CR, LF or CR LF) is not part of the line.
    // k < LineCount().
    uint32_t LineBegin(uint32_t k) const { return starts_[k]; }
    uint32_t LineEnd(uint32_t k) const;

    // Number of character cells line k occupies after prefix processing.
    uint32_t LineCells(uint32_t k) const;

    // The largest LineCells over all lines (0 without lines); computed once.
    uint32_t WidestLineCells() const { return widest_; }

    // Pixel extent of the whole text block, as the scroll model wants it:
    // widest line times the character width, line count times the line
    // height. Saturates at INT32_MAX; a unit <= 0 gives 0.
    int32_t TextWidthPixels(int32_t charWidth) const;
    int32_t TextHeightPixels(int32_t lineHeight) const;

    // Lines that meet the pixel band [top, top + height) of the text block,
    // clamped to the existing lines. Empty when height <= 0 or
    // lineHeight <= 0.
    IndexRange VisibleLines(int32_t top, int32_t height, int32_t lineHeight) const;

    // Cells that meet the pixel band [left, left + width); not clamped to any
    // line (lines are of different lengths: the per-line calls clamp).
    static IndexRange VisibleCells(int32_t left, int32_t width, int32_t charWidth);

    // Calls visit(cell, ch, underlined) for every shown cell of the characters
    // of line k that meet the cells [firstCell, endCell), from left to right:
    // a double-byte character cut by an edge is visited whole. cell counts from
    // the line's left edge; ch is the byte shown in it.
    template <typename Visit>
    void ForEachShownCell(uint32_t k, uint32_t firstCell, uint32_t endCell,
                          Visit&& visit) const;

    // The same as one piece of text: fills out with the cells of the
    // characters of line k that meet [firstCell, endCell); out.firstCell is
    // where they start. out is reused (no allocation once it has grown). When
    // the line ends before firstCell, out.chars is empty. False, with out
    // empty, when out could not grow to hold the piece.
    bool GetShownText(uint32_t k, uint32_t firstCell, uint32_t endCell,
                      ShownText& out) const;

    // True when the text was longer than a layout can address and only its
    // first 4 GiB - 1 bytes were laid out.
    bool Truncated() const { return truncated_; }

    // True when the memory for the index was not there: the layout has no
    // lines.
    bool Failed() const { return failed_; }

    // Bytes held by the index (line starts and checkpoints), for diagnostics.
    size_t IndexBytes() const;

private:
    // A place inside a long line where a unit starts, with the number of
    // cells the line has to its left. Sorted by byte.
    struct Checkpoint {
        uint32_t byte;
        uint32_t cell;
    };

    // Where a scan of line k stands: byte offset, cell index there, and the
    // line's end offset.
    struct Cursor {
        uint32_t byte;
        uint32_t cell;
        uint32_t end;
    };

    // The furthest known unit start in line k whose cell is <= cell, or the
    // line's start.
    Cursor StartNear(uint32_t k, uint32_t cell) const;

    // One character as shown: its bytes (one cell each) and whether it is
    // underlined.
    struct Unit {
        unsigned char bytes[2];
        uint32_t size;
        bool underlined;
    };

    // Bytes of the character at i (i < end): 2 for a lead byte followed by a
    // byte of the same line, else 1.
    uint32_t CharBytes(uint32_t i, uint32_t end) const {
        return cp_.IsLeadByte(static_cast<char>(data_[i])) && i + 1 < end ? 2 : 1;
    }

    // Reads the unit at c.byte (c.byte < c.end) and advances past it. Returns
    // false for a lone prefix at the line's end, which shows nothing.
    bool NextUnit(Cursor& c, Unit& unit) const;

    CodePage cp_;
    const unsigned char* data_ = nullptr;
    uint32_t size_ = 0;
    uint32_t widest_ = 0;
    bool truncated_ = false;
    bool failed_ = false;
    CPlainArray<uint32_t> starts_;
    CPlainArray<Checkpoint> checkpoints_;
};

inline bool TextLayout::NextUnit(Cursor& c, Unit& unit) const {
    unit.underlined = false;
    if (data_[c.byte] == '&') {
        if (c.byte + 1 >= c.end) {  // lone prefix as the line's last byte
            c.byte += 1;
            return false;
        }
        c.byte += 1;
        unit.underlined = data_[c.byte] != '&';
    }
    unit.size = CharBytes(c.byte, c.end);
    unit.bytes[0] = data_[c.byte];
    unit.bytes[1] = data_[c.byte + unit.size - 1];
    c.byte += unit.size;
    return true;
}

template <typename Visit>
void TextLayout::ForEachShownCell(uint32_t k, uint32_t firstCell, uint32_t endCell,
                                  Visit&& visit) const {
    if (k >= LineCount() || firstCell >= endCell)
        return;
    // A checkpoint left of firstCell - 1: the character that holds firstCell
    // may start one cell before it.
    Cursor c = StartNear(k, firstCell > 0 ? firstCell - 1 : 0);
    Unit unit;
    while (c.byte < c.end && c.cell < endCell) {
        if (!NextUnit(c, unit))
            break;
        if (c.cell + unit.size > firstCell) {
            for (uint32_t b = 0; b < unit.size; ++b)
                visit(c.cell + b, unit.bytes[b], unit.underlined);
        }
        c.cell += unit.size;
    }
}

#endif  // VIEWER_TEXTLAYOUT_H
