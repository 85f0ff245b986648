// Tests of the viewer's text layout: line ends, prefix characters, cells,
// clipped output of long lines and visible ranges.

#include "viewer/TextLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    TextLayout layout(text.data(), text.size(), CodePage());
    std::vector<std::string> lines;
    for (uint32_t k = 0; k < layout.LineCount(); ++k) {
        EXPECT_LE(layout.LineBegin(k), layout.LineEnd(k));
        lines.push_back(text.substr(layout.LineBegin(k), layout.LineEnd(k) - layout.LineBegin(k)));
    }
    return lines;
}

struct Shown {
    std::string chars;
    std::vector<uint32_t> underlined;
    uint32_t cells;
};

Shown Copy(const TextLayout::ShownText& out, uint32_t cells) {
    return Shown{std::string(out.chars.data(), out.chars.size()),
                 std::vector<uint32_t>(out.underlined.begin(), out.underlined.end()), cells};
}

// The shown form of the only line of text.
Shown ShownLine(const std::string& text) {
    TextLayout layout(text.data(), text.size(), CodePage());
    EXPECT_EQ(layout.LineCount(), 1u) << text;
    TextLayout::ShownText out;
    layout.GetShownText(0, 0, std::numeric_limits<uint32_t>::max(), out);
    return Copy(out, layout.LineCells(0));
}

using Strings = std::vector<std::string>;
using Cells = std::vector<uint32_t>;

TEST(TextLayoutLineEnds, EachKindEndsOneLine) {
    EXPECT_EQ(Lines("a\r\nb"), (Strings{"a", "b"}));
    EXPECT_EQ(Lines("a\nb"), (Strings{"a", "b"}));
    EXPECT_EQ(Lines("a\rb"), (Strings{"a", "b"}));
    EXPECT_EQ(Lines("a\r\n\r\nb"), (Strings{"a", "", "b"}));
    EXPECT_EQ(Lines("a\n\rb"), (Strings{"a", "", "b"}));  // LF then CR: two ends
    EXPECT_EQ(Lines("a\r\rb"), (Strings{"a", "", "b"}));
    EXPECT_EQ(Lines("a\n\nb"), (Strings{"a", "", "b"}));
    EXPECT_EQ(Lines("a\r\r\n\nb"), (Strings{"a", "", "", "b"}));
    EXPECT_EQ(Lines("one\rtwo\nthree\r\nfour"), (Strings{"one", "two", "three", "four"}));
}

TEST(TextLayoutLineEnds, EndOfTextAddsNoEmptyLine) {
    EXPECT_EQ(Lines(""), Strings{});
    EXPECT_EQ(Lines("abc"), (Strings{"abc"}));
    EXPECT_EQ(Lines("abc\r\n"), (Strings{"abc"}));
    EXPECT_EQ(Lines("abc\r"), (Strings{"abc"}));
    EXPECT_EQ(Lines("abc\n"), (Strings{"abc"}));
    EXPECT_EQ(Lines("abc\r\n\r\n"), (Strings{"abc", ""}));
    EXPECT_EQ(Lines("\r\n"), (Strings{""}));
    EXPECT_EQ(Lines("\n\r"), (Strings{"", ""}));
    EXPECT_EQ(Lines("\n\r\n"), (Strings{"", ""}));
}

TEST(TextLayoutLineEnds, EmptyLayoutHasNothing) {
    TextLayout none;
    EXPECT_EQ(none.LineCount(), 0u);
    EXPECT_EQ(none.WidestLineCells(), 0u);
    EXPECT_EQ(none.TextWidthPixels(8), 0);
    EXPECT_EQ(none.TextHeightPixels(12), 0);
    EXPECT_TRUE(none.VisibleLines(0, 500, 12).Empty());
    TextLayout fromNull(nullptr, 0, CodePage());
    EXPECT_EQ(fromNull.LineCount(), 0u);
}

TEST(TextLayoutPrefix, SingleAmpersandUnderlinesTheNextCharacter) {
    Shown s = ShownLine("a&bc");
    EXPECT_EQ(s.chars, "abc");
    EXPECT_EQ(s.underlined, Cells{1});
    EXPECT_EQ(s.cells, 3u);

    s = ShownLine("&File &Exit");
    EXPECT_EQ(s.chars, "File Exit");
    EXPECT_EQ(s.underlined, (Cells{0, 5}));
}

TEST(TextLayoutPrefix, DoubleShowsOneAmpersandTripleAlsoUnderlines) {
    Shown s = ShownLine("R&&D");
    EXPECT_EQ(s.chars, "R&D");
    EXPECT_TRUE(s.underlined.empty());
    EXPECT_EQ(s.cells, 3u);

    s = ShownLine("a&&&b");  // "&&" then "&b"
    EXPECT_EQ(s.chars, "a&b");
    EXPECT_EQ(s.underlined, Cells{2});

    s = ShownLine("&&&&");
    EXPECT_EQ(s.chars, "&&");
    EXPECT_TRUE(s.underlined.empty());
}

TEST(TextLayoutPrefix, LoneAmpersandAtLineEndShowsNothing) {
    EXPECT_EQ(ShownLine("&").chars, "");
    EXPECT_EQ(ShownLine("&").cells, 0u);
    EXPECT_EQ(ShownLine("ab&").cells, 2u);
    EXPECT_EQ(ShownLine("ab&&").chars, "ab&");
    Shown s = ShownLine("ab&&&");  // "&&" then a lone "&"
    EXPECT_EQ(s.chars, "ab&");
    EXPECT_EQ(s.cells, 3u);

    // A line end right after the prefix: it does not underline the next line.
    const std::string text = "a&\r\nb&\rc&\nd";
    TextLayout layout(text.data(), text.size(), CodePage());
    ASSERT_EQ(layout.LineCount(), 4u);
    for (uint32_t k = 0; k < 3; ++k)
        EXPECT_EQ(layout.LineCells(k), 1u) << k;
    TextLayout::ShownText out;
    layout.GetShownText(3, 0, 10, out);
    EXPECT_EQ(out.chars, "d");
    EXPECT_TRUE(out.underlined.empty());
    EXPECT_EQ(layout.WidestLineCells(), 1u);
}

TEST(TextLayoutCells, TabsHighBytesAndNulAreOneCellEach) {
    const std::string text("\t\xB3\xFF\x80x\0y", 7);
    Shown s = ShownLine(text);
    EXPECT_EQ(s.chars, text);  // shown unconverted
    EXPECT_EQ(s.cells, 7u);

    s = ShownLine("&\t&\xDB");  // prefixed tab and block character
    EXPECT_EQ(s.chars, "\t\xDB");
    EXPECT_EQ(s.underlined, (Cells{0, 1}));
}

TEST(TextLayoutCells, WidestLineCountsCellsNotBytes) {
    // The byte-longest line has the fewest cells.
    const std::string text = "&&&&&&&&&&\r\nabcd\nR&&D&x\r";
    TextLayout layout(text.data(), text.size(), CodePage());
    ASSERT_EQ(layout.LineCount(), 3u);
    EXPECT_EQ(layout.LineCells(0), 5u);
    EXPECT_EQ(layout.LineCells(1), 4u);
    EXPECT_EQ(layout.LineCells(2), 4u);
    EXPECT_EQ(layout.WidestLineCells(), 5u);
    EXPECT_EQ(layout.TextWidthPixels(8), 40);
    EXPECT_EQ(layout.TextHeightPixels(12), 36);

    const std::string lastWidest = "ab\ncd\nefghij";  // unterminated last line
    TextLayout last(lastWidest.data(), lastWidest.size(), CodePage());
    EXPECT_EQ(last.WidestLineCells(), 6u);
}

TEST(TextLayoutCells, PixelExtentsSaturate) {
    const std::string text(100, 'x');
    TextLayout layout(text.data(), text.size(), CodePage());
    EXPECT_EQ(layout.TextWidthPixels(std::numeric_limits<int32_t>::max() / 50),
              std::numeric_limits<int32_t>::max());
    EXPECT_EQ(layout.TextWidthPixels(0), 0);
    EXPECT_EQ(layout.TextHeightPixels(-3), 0);
}

TEST(TextLayoutIndex, ShortLinesCostOneOffsetEach) {
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "line &&x\r\n";
    const TextLayout layout(text.data(), text.size(), CodePage(), 16);
    ASSERT_EQ(layout.LineCount(), 10000u);
    EXPECT_LE(layout.IndexBytes(), 10000u * 4u * 5u / 4u);

    const std::string longLine(100000, 'x');  // one checkpoint per stride
    const TextLayout one(longLine.data(), longLine.size(), CodePage(), 1000);
    EXPECT_LE(one.IndexBytes(), 4u + 100u * 8u * 5u / 4u);
}

// Pseudo-random text full of prefixes: short lines ended in all three ways,
// then one line of 30000 bytes.
std::string MixedText(uint32_t seed) {
    const char alphabet[] = "ab&&&\t\xB3 cd&";
    std::string text;
    uint32_t x = seed;
    auto next = [&x]() {
        x = x * 1103515245u + 12345u;
        return (x >> 16) & 0x7FFF;
    };
    while (text.size() < 20000) {
        const uint32_t r = next();
        if (r % 97 == 0)
            text += "\r\n";
        else if (r % 211 == 0)
            text += '\r';
        else if (r % 223 == 0)
            text += '\n';
        else
            text += alphabet[r % (sizeof alphabet - 1)];
    }
    text += "\n";
    for (int i = 0; i < 30000; ++i)
        text += alphabet[next() % (sizeof alphabet - 1)];
    return text + "&\r\nend";
}

// Clipping a line to a cell window must give exactly that window of the
// whole line, wherever the window starts (checkpoints or not).
TEST(TextLayoutClipping, WindowsOfLongLinesMatchTheWholeLine) {
    const std::string text = MixedText(7);
    const TextLayout plain(text.data(), text.size(), CodePage(),
                           std::numeric_limits<uint32_t>::max());
    for (uint32_t stride : {1u, 2u, 3u, 5u, 64u, 4096u}) {
        const TextLayout layout(text.data(), text.size(), CodePage(), stride);
        ASSERT_EQ(layout.LineCount(), plain.LineCount());
        EXPECT_EQ(layout.WidestLineCells(), plain.WidestLineCells());
        TextLayout::ShownText whole, part;
        ASSERT_GT(plain.WidestLineCells(), 15000u);
        for (uint32_t k = 0; k < plain.LineCount(); ++k) {
            plain.GetShownText(k, 0, std::numeric_limits<uint32_t>::max(), whole);
            const uint32_t cells = static_cast<uint32_t>(whole.chars.size());
            ASSERT_EQ(layout.LineCells(k), cells) << "stride " << stride << " line " << k;
            for (uint32_t first = 0; first <= cells + 1; first += 1 + first / 3) {
                const uint32_t end = first + 37;
                layout.GetShownText(k, first, end, part);
                const uint32_t from = std::min(first, cells);
                const uint32_t to = std::min(end, cells);
                ASSERT_EQ(part.chars, whole.chars.substr(from, to - from))
                    << "stride " << stride << " line " << k << " cells " << first;
                std::vector<uint32_t> expected;
                for (uint32_t u : whole.underlined)
                    if (u >= first && u < end)
                        expected.push_back(u);
                ASSERT_EQ(std::vector<uint32_t>(part.underlined.begin(), part.underlined.end()),
                          expected);
            }
        }
    }
}

// In a double-byte code page a character has two cells and comes whole into a piece
// of a line that an edge cuts through it, wherever the scan resumes (checkpoints).
TEST(TextLayoutClipping, DoubleByteCharactersComeWhole) {
    const CodePage sjis = CodePage::ForNumber(932);
    const std::string four = "\x95\x5C\x83\x5C\x94\x5C\x8F\x5C";  // trail bytes 0x5C
    TextLayout layout(four.data(), four.size(), sjis);
    EXPECT_EQ(layout.LineCells(0), 8u);
    TextLayout::ShownText out;
    layout.GetShownText(0, 3, 6, out);  // scrolled by three cells, five wide
    EXPECT_EQ(out.firstCell, 2u);
    EXPECT_EQ(out.chars, four.substr(2, 4));
    layout.GetShownText(0, 3, 4, out);
    EXPECT_EQ(out.firstCell, 2u);
    EXPECT_EQ(out.chars, four.substr(2, 2));
    TextLayout bytes(four.data(), four.size(), CodePage());
    bytes.GetShownText(0, 3, 6, out);
    EXPECT_EQ(out.firstCell, 3u) << "a single-byte code page cuts between any two bytes";

    // A prefix underlines both cells; a lead byte before the line end stands alone.
    const std::string prefixed = "a&\x83\x5C\x95\r\n";
    const Shown s = [&] {
        TextLayout one(prefixed.data(), prefixed.size(), sjis);
        TextLayout::ShownText whole;
        one.GetShownText(0, 0, 100, whole);
        return Copy(whole, one.LineCells(0));
    }();
    EXPECT_EQ(s.chars, "a\x83\x5C\x95");
    EXPECT_EQ(s.underlined, (Cells{1, 2}));
    EXPECT_EQ(s.cells, 4u);

    // A long line of mixed characters: every window holds exactly the characters that
    // meet it, for any checkpoint stride.
    std::string line;
    for (int i = 0; i < 3000; ++i) line += i % 3 ? "\x95\x5C" : (i % 7 ? "x" : "&\x83\x41");
    const TextLayout plain(line.data(), line.size(), sjis, std::numeric_limits<uint32_t>::max());
    TextLayout::ShownText whole, part;
    plain.GetShownText(0, 0, std::numeric_limits<uint32_t>::max(), whole);
    std::vector<uint32_t> startOf;  // the cell where the character of each cell starts
    for (uint32_t c = 0; c < whole.chars.size();) {
        const uint32_t n = sjis.IsLeadByte(whole.chars[c]) ? 2 : 1;
        for (uint32_t i = 0; i < n; ++i) startOf.push_back(c);
        c += n;
    }
    for (uint32_t stride : {1u, 3u, 5u, 64u}) {
        const TextLayout layout2(line.data(), line.size(), sjis, stride);
        ASSERT_EQ(layout2.LineCells(0), whole.chars.size());
        for (uint32_t first = 0; first + 8 < whole.chars.size(); first += 1 + first / 5) {
            layout2.GetShownText(0, first, first + 7, part);
            const uint32_t from = startOf[first];
            const uint32_t last = startOf[first + 6];
            const uint32_t to = last + (sjis.IsLeadByte(whole.chars[last]) ? 2 : 1);
            ASSERT_EQ(part.firstCell, from) << "stride " << stride << " cell " << first;
            ASSERT_EQ(part.chars, whole.chars.substr(from, to - from));
        }
    }
}

TEST(TextLayoutClipping, EmptyOrPastTheEndWindowsShowNothing) {
    const std::string text = "abc\r\nde";
    TextLayout layout(text.data(), text.size(), CodePage());
    TextLayout::ShownText out;
    layout.GetShownText(0, 3, 10, out);
    EXPECT_TRUE(out.chars.empty());
    layout.GetShownText(0, 2, 2, out);
    EXPECT_TRUE(out.chars.empty());
    layout.GetShownText(0, 2, 1, out);
    EXPECT_TRUE(out.chars.empty());
    layout.GetShownText(1, 1, 10, out);
    EXPECT_EQ(out.chars, "e");
    EXPECT_EQ(out.firstCell, 1u);
    layout.GetShownText(2, 0, 10, out);  // no such line
    EXPECT_TRUE(out.chars.empty());
}

TEST(TextLayoutVisible, LinesAtTheEdges) {
    const std::string text = "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n";  // 10 lines
    TextLayout layout(text.data(), text.size(), CodePage());
    const int32_t lh = 12;
    auto range = [&](int32_t top, int32_t height) {
        TextLayout::IndexRange r = layout.VisibleLines(top, height, lh);
        return std::make_pair(r.first, r.last);
    };
    using P = std::pair<uint32_t, uint32_t>;
    EXPECT_EQ(range(0, 120), P(0, 10));
    EXPECT_EQ(range(0, 1000), P(0, 10));
    EXPECT_EQ(range(0, 12), P(0, 1));   // ends exactly at a line's bottom
    EXPECT_EQ(range(0, 13), P(0, 2));   // one pixel of the next line
    EXPECT_EQ(range(11, 2), P(0, 2));
    EXPECT_EQ(range(12, 12), P(1, 2));
    EXPECT_EQ(range(119, 1), P(9, 10));
    EXPECT_TRUE(layout.VisibleLines(120, 50, lh).Empty());
    EXPECT_TRUE(layout.VisibleLines(0, 0, lh).Empty());
    EXPECT_TRUE(layout.VisibleLines(0, 100, 0).Empty());
    EXPECT_TRUE(layout.VisibleLines(-20, 10, lh).Empty());
    EXPECT_EQ(range(-5, 10), P(0, 1));
    EXPECT_EQ(range(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()),
              P(10, 10));
}

TEST(TextLayoutVisible, CellsAreNotClampedToAnyLine) {
    TextLayout::IndexRange r = TextLayout::VisibleCells(0, 80, 8);
    EXPECT_EQ(r.first, 0u);
    EXPECT_EQ(r.last, 10u);
    r = TextLayout::VisibleCells(4, 80, 8);  // half a cell at each side
    EXPECT_EQ(r.first, 0u);
    EXPECT_EQ(r.last, 11u);
    r = TextLayout::VisibleCells(800, 8, 8);
    EXPECT_EQ(r.first, 100u);
    EXPECT_EQ(r.last, 101u);
}

}  // namespace
