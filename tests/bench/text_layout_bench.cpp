// Construction and paint-step timings of TextLayout over generated log-like
// text of 100 KB, 10 MB and 100 MB, plus one 100 MB line with prefixes.
//
// Build and run (from the repository root):
//   g++ -std=c++17 -O2 -I. viewer/TextLayout.cpp
//       tests/bench/text_layout_bench.cpp -o /tmp/viewerlogic/bench
//   /tmp/viewerlogic/bench

#include "tests/bench/LogText.h"
#include "viewer/TextLayout.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MillisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string OneLongLine(size_t bytes) {
    std::string text(bytes, 'x');
    for (size_t i = 0; i < bytes; i += 61)
        text[i] = '&';
    return text;
}

// One paint of a 120 x 60 cell window at the given cell and line.
double PaintMicros(const TextLayout& layout, uint32_t firstLine, uint32_t firstCell) {
    const int32_t cw = 8, lh = 12;
    TextLayout::ShownText shown;
    size_t total = 0;
    const Clock::time_point start = Clock::now();
    const int rounds = 200;
    for (int r = 0; r < rounds; ++r) {
        const TextLayout::IndexRange lines =
            layout.VisibleLines(static_cast<int32_t>(firstLine) * lh, 60 * lh, lh);
        const TextLayout::IndexRange cells =
            TextLayout::VisibleCells(static_cast<int32_t>(firstCell) * cw, 120 * cw, cw);
        for (uint32_t k = lines.first; k < lines.last; ++k) {
            layout.GetShownText(k, cells.first, cells.last, shown);
            total += shown.chars.size();
        }
    }
    const double micros = MillisSince(start) * 1000.0 / rounds;
    if (total == 0)
        std::printf("  (nothing shown)\n");
    return micros;
}

void Measure(const char* name, const std::string& text) {
    double best = 1e300;
    uint32_t lines = 0;
    for (int run = 0; run < 3; ++run) {
        const Clock::time_point start = Clock::now();
        TextLayout layout(text.data(), text.size(), CodePage());
        const double ms = MillisSince(start);
        if (ms < best)
            best = ms;
        lines = layout.LineCount();
    }
    TextLayout layout(text.data(), text.size(), CodePage());
    const uint32_t mid = lines / 2;
    const uint32_t farCell = layout.WidestLineCells() > 240 ? layout.WidestLineCells() - 240 : 0;
    std::printf("%-26s %10zu bytes %9u lines  widest %9u  build %8.2f ms  (%6.0f MB/s)  "
                "index %8zu bytes  paint top %6.1f us  mid %6.1f us  far right %6.1f us\n",
                name, text.size(), lines, layout.WidestLineCells(), best,
                static_cast<double>(text.size()) / 1e6 / (best / 1000.0), layout.IndexBytes(),
                PaintMicros(layout, 0, 0), PaintMicros(layout, mid, 0),
                PaintMicros(layout, mid, farCell));
}

}  // namespace

int main() {
    Measure("log text 100 KB", LogText(100u * 1000u));
    Measure("log text 10 MB", LogText(10u * 1000u * 1000u));
    Measure("log text 100 MB", LogText(100u * 1000u * 1000u));
    Measure("one line 100 MB, prefixes", OneLongLine(100u * 1000u * 1000u));
    return 0;
}
