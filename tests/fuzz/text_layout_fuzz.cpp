// libFuzzer target: lays out arbitrary bytes and checks the layout against a
// plain, slow reading of the same rules.
//
// Input: byte 0 picks the checkpoint stride (1..16, so that long lines get
// many checkpoints) and, with its high bit, the double-byte code page 932;
// bytes 1..4 a cell window and a pixel band; the rest is the text.
//
// Build and run (from the repository root):
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I.
//       viewer/TextLayout.cpp framework/CodePage.cpp tests/fuzz/text_layout_fuzz.cpp
//       -o /tmp/viewerlogic/fuzz
//   /tmp/viewerlogic/fuzz -max_total_time=60

#include "viewer/TextLayout.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

struct RefLine {
    size_t begin, end;
    std::string chars;
    std::vector<uint32_t> underlined;
    std::vector<uint32_t> charStart;  // for each cell, the cell its character starts at
};

// The rules read one character at a time: CR, LF and CR LF end a line, a
// final line end adds no line; "&&" is "&", "&x" an underlined x, a last "&"
// nothing; a lead byte and the next byte of its line are one character.
std::vector<RefLine> Reference(const unsigned char* b, size_t n, const CodePage& cp) {
    std::vector<RefLine> lines;
    size_t i = 0;
    while (i < n) {
        RefLine line{i, i, {}, {}};
        while (i < n && b[i] != '\r' && b[i] != '\n')
            ++i;
        line.end = i;
        if (i < n)
            i += (b[i] == '\r' && i + 1 < n && b[i + 1] == '\n') ? 2 : 1;
        for (size_t p = line.begin; p < line.end; ++p) {
            bool underlined = false;
            if (b[p] == '&') {
                if (p + 1 >= line.end)
                    break;
                ++p;
                underlined = b[p] != '&';
            }
            const size_t bytes = cp.IsLeadByte(static_cast<char>(b[p])) && p + 1 < line.end ? 2 : 1;
            const uint32_t start = static_cast<uint32_t>(line.chars.size());
            for (size_t i = 0; i < bytes; ++i) {
                if (underlined)
                    line.underlined.push_back(static_cast<uint32_t>(line.chars.size()));
                line.charStart.push_back(start);
                line.chars += static_cast<char>(b[p + i]);
            }
            p += bytes - 1;
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5)
        return 0;
    const uint32_t stride = 1u + data[0] % 16u;
    const CodePage cp = (data[0] & 0x80) ? CodePage::ForNumber(932) : CodePage();
    const uint32_t windowStart = data[1];
    const uint32_t windowCells = data[2] % 64u;
    const int32_t bandTop = static_cast<int32_t>(static_cast<int8_t>(data[3])) * 5;
    const int32_t bandHeight = data[4] % 100;
    const unsigned char* text = data + 5;
    const size_t n = size - 5;

    const TextLayout layout(reinterpret_cast<const char*>(text), n, cp, stride);
    const std::vector<RefLine> ref = Reference(text, n, cp);

    Check(layout.LineCount() == ref.size());
    Check(!layout.Truncated());
    uint32_t widest = 0;
    uint32_t previousEnd = 0;
    TextLayout::ShownText whole;
    TextLayout::ShownText part;
    for (uint32_t k = 0; k < layout.LineCount(); ++k) {
        const uint32_t begin = layout.LineBegin(k);
        const uint32_t end = layout.LineEnd(k);
        // In order, inside the text, separated by exactly one line end.
        Check(begin <= end && end <= n);
        Check(k == 0 ? begin == 0 : begin > previousEnd && begin - previousEnd <= 2);
        Check(begin == ref[k].begin && end == ref[k].end);
        for (uint32_t p = begin; p < end; ++p)
            Check(text[p] != '\r' && text[p] != '\n');
        previousEnd = end;

        const uint32_t cells = layout.LineCells(k);
        Check(cells <= end - begin);
        Check(cells == ref[k].chars.size());
        if (cells > widest)
            widest = cells;

        layout.GetShownText(k, 0, UINT32_MAX, whole);
        Check(whole.chars == ref[k].chars);
        Check(std::vector<uint32_t>(whole.underlined.begin(), whole.underlined.end()) ==
              ref[k].underlined);

        // A window of the line is that window of the whole line, widened to
        // the whole characters that meet it.
        const uint32_t windowEnd = windowStart + windowCells;
        layout.GetShownText(k, windowStart, windowEnd, part);
        uint32_t from = windowStart < cells ? windowStart : cells;
        uint32_t to = windowEnd < cells ? windowEnd : cells;
        if (from < to) {
            from = ref[k].charStart[from];
            const uint32_t last = ref[k].charStart[to - 1];
            to = last + 1;
            while (to < cells && ref[k].charStart[to] == last)
                ++to;
            Check(part.firstCell == from);
        }
        Check(part.chars == whole.chars.substr(from, to - from));
        size_t u = 0;
        for (uint32_t cell : whole.underlined) {
            if (cell >= from && cell < to) {
                Check(u < part.underlined.size() && part.underlined[u] == cell);
                ++u;
            }
        }
        Check(u == part.underlined.size());
    }
    Check(layout.LineCount() == 0 || previousEnd + 2 >= n);
    Check(layout.WidestLineCells() == widest);

    // Visible lines: inside [0, LineCount()], and exactly the lines whose
    // pixel rows meet the band.
    for (int32_t lineHeight : {1, 7, 16}) {
        const TextLayout::IndexRange r = layout.VisibleLines(bandTop, bandHeight, lineHeight);
        Check(r.first <= r.last || r.last == 0);
        Check(r.last <= layout.LineCount());
        for (uint32_t k = 0; k < layout.LineCount(); ++k) {
            const int64_t top = static_cast<int64_t>(k) * lineHeight;
            const bool meets = bandHeight > 0 && top < static_cast<int64_t>(bandTop) + bandHeight &&
                               top + lineHeight > bandTop;
            Check(meets == (k >= r.first && k < r.last));
        }
    }
    return 0;
}
