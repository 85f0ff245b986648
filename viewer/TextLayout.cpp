// TextLayout: line index and prefix processing of the text viewer.

#include "viewer/TextLayout.h"

#include <algorithm>
#include <limits>

namespace {

// Byte classes seen by the layout pass.
enum : unsigned char { kPlain = 0, kReturn = 1, kFeed = 2, kPrefix = 3, kLead = 4 };

struct ByteClasses {
    unsigned char of[256];
    constexpr ByteClasses() : of() {
        of[static_cast<unsigned char>('\r')] = kReturn;
        of[static_cast<unsigned char>('\n')] = kFeed;
        of[static_cast<unsigned char>('&')] = kPrefix;
    }
};

constexpr ByteClasses kClasses;

inline bool IsLineEnd(unsigned char b) { return b == '\r' || b == '\n'; }

int32_t SaturatedProduct(uint64_t count, int32_t unit) {
    if (unit <= 0)
        return 0;
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    if (count > limit / static_cast<uint64_t>(unit))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(count * static_cast<uint64_t>(unit));
}

// Indices whose unit-sized bands meet [start, start + extent), at most limit.
TextLayout::IndexRange Band(int32_t start, int32_t extent, int32_t unit, uint32_t limit) {
    TextLayout::IndexRange r{0, 0};
    if (extent <= 0 || unit <= 0)
        return r;
    const int64_t top = start;
    const int64_t bottom = top + extent;
    if (bottom <= 0)
        return r;
    const int64_t first = top <= 0 ? 0 : top / unit;
    const int64_t last = (bottom + unit - 1) / unit;
    r.first = static_cast<uint32_t>(std::min<int64_t>(first, limit));
    r.last = static_cast<uint32_t>(std::min<int64_t>(last, limit));
    return r;
}

}  // namespace

TextLayout::TextLayout(const char* data, size_t size, const CodePage& cp,
                       uint32_t checkpointStride)
    : cp_(cp) {
    const uint32_t maxSize = std::numeric_limits<uint32_t>::max();
    if (size > maxSize) {
        size = maxSize;
        truncated_ = true;
    }
    if (checkpointStride == 0)
        checkpointStride = 1;
    data_ = reinterpret_cast<const unsigned char*>(data);
    size_ = static_cast<uint32_t>(size);
    if (size_ == 0)
        return;

    // One pass over the bytes. i always sits at the start of a unit (a plain
    // byte, a double-byte character, a prefix with its character, a lone
    // prefix or a line end), which is what makes every checkpoint a valid
    // place to resume a scan from.
    unsigned char classes[256];
    for (unsigned c = 0; c < 256; ++c)
        classes[c] = cp.IsLeadByte(static_cast<char>(c)) ? static_cast<unsigned char>(kLead)
                                                          : kClasses.of[c];
    const unsigned char* const b = data_;
    const uint32_t n = size_;
    uint32_t i = 0;
    uint32_t cells = 0;      // cells of the current line so far
    uint32_t widest = 0;
    uint64_t nextCheckpoint = checkpointStride;  // 64 bits: may pass 4 GiB
    bool held = starts_.TryPushBack(0);
    while (held) {
        // The common case: a run of plain bytes, each one cell.
        const uint32_t limit = nextCheckpoint < n ? static_cast<uint32_t>(nextCheckpoint) : n;
        uint32_t j = i;
        while (j < limit && classes[b[j]] == kPlain)
            ++j;
        cells += j - i;
        i = j;
        if (i >= n)
            break;
        if (i >= nextCheckpoint) {
            held = checkpoints_.TryPushBack(Checkpoint{i, cells});
            nextCheckpoint = static_cast<uint64_t>(i) + checkpointStride;
            continue;
        }
        const unsigned char cls = classes[b[i]];
        if (cls == kLead || cls == kPrefix) {
            // A character, or a prefix and the character after it: as many
            // cells as the character has bytes; a lone prefix at the line's
            // end has none.
            uint32_t at = i;
            if (cls == kPrefix)
                ++at;
            if (at < n && !IsLineEnd(b[at])) {
                const uint32_t bytes =
                    classes[b[at]] == kLead && at + 1 < n && !IsLineEnd(b[at + 1]) ? 2 : 1;
                cells += bytes;
                at += bytes;
            }
            i = at;
            continue;
        }
        // A line end: CR LF counts as one.
        widest = std::max(widest, cells);
        cells = 0;
        i += (cls == kReturn && i + 1 < n && b[i + 1] == '\n') ? 2 : 1;
        if (i >= n)
            break;  // a line end at the very end starts no further line
        held = starts_.TryPushBack(i);
        nextCheckpoint = static_cast<uint64_t>(i) + checkpointStride;
    }
    if (!held) {
        *this = TextLayout();
        failed_ = true;
        return;
    }
    widest_ = std::max(widest, cells);

    // The index grew by half as much again each time; give back a large unused tail.
    if (starts_.capacity() - starts_.size() > starts_.size() / 4)
        starts_.shrink_to_fit();
    if (checkpoints_.capacity() - checkpoints_.size() > checkpoints_.size() / 4)
        checkpoints_.shrink_to_fit();
}

uint32_t TextLayout::LineEnd(uint32_t k) const {
    const uint32_t begin = starts_[k];
    uint32_t end = k + 1 < LineCount() ? starts_[k + 1] : size_;
    // Every line but possibly the last is followed by its line end; a CR
    // directly before an LF always belongs to the same line end.
    if (end > begin && data_[end - 1] == '\n') {
        --end;
        if (end > begin && data_[end - 1] == '\r')
            --end;
    } else if (end > begin && data_[end - 1] == '\r') {
        --end;
    }
    return end;
}

TextLayout::Cursor TextLayout::StartNear(uint32_t k, uint32_t cell) const {
    Cursor c{starts_[k], 0, LineEnd(k)};
    if (checkpoints_.empty() || cell == 0)
        return c;
    const auto lo = std::lower_bound(
        checkpoints_.begin(), checkpoints_.end(), c.byte,
        [](const Checkpoint& p, uint32_t byte) { return p.byte < byte; });
    const auto hi = std::upper_bound(
        lo, checkpoints_.end(), c.end,
        [](uint32_t byte, const Checkpoint& p) { return byte < p.byte; });
    // Within one line the cells grow with the bytes.
    auto it = std::upper_bound(
        lo, hi, cell, [](uint32_t value, const Checkpoint& p) { return value < p.cell; });
    if (it != lo) {
        --it;
        c.byte = it->byte;
        c.cell = it->cell;
    }
    return c;
}

uint32_t TextLayout::LineCells(uint32_t k) const {
    Cursor c = StartNear(k, std::numeric_limits<uint32_t>::max());
    Unit unit;
    while (c.byte < c.end) {
        if (NextUnit(c, unit))
            c.cell += unit.size;
    }
    return c.cell;
}

int32_t TextLayout::TextWidthPixels(int32_t charWidth) const {
    return SaturatedProduct(widest_, charWidth);
}

int32_t TextLayout::TextHeightPixels(int32_t lineHeight) const {
    return SaturatedProduct(LineCount(), lineHeight);
}

TextLayout::IndexRange TextLayout::VisibleLines(int32_t top, int32_t height,
                                                int32_t lineHeight) const {
    return Band(top, height, lineHeight, LineCount());
}

TextLayout::IndexRange TextLayout::VisibleCells(int32_t left, int32_t width, int32_t charWidth) {
    return Band(left, width, charWidth, std::numeric_limits<uint32_t>::max());
}

bool TextLayout::GetShownText(uint32_t k, uint32_t firstCell, uint32_t endCell,
                              ShownText& out) const {
    out.firstCell = firstCell;
    out.chars.clear();
    out.underlined.clear();
    if (k >= LineCount() || firstCell >= endCell)
        return true;
    // Room for every cell at once: at most the cells asked for and a character cut
    // at each edge, and at most one cell a byte of the line.
    const size_t most = std::min<size_t>(static_cast<size_t>(endCell - firstCell) + 2,
                                         LineEnd(k) - LineBegin(k));
    if (!out.chars.TryReserve(most) || !out.underlined.TryReserve(most))
        return false;
    ForEachShownCell(k, firstCell, endCell, [&out](uint32_t cell, unsigned char ch, bool under) {
        if (out.chars.empty())
            out.firstCell = cell;
        out.chars.push_back(static_cast<char>(ch));
        if (under)
            out.underlined.push_back(cell);
    });
    return true;
}

size_t TextLayout::IndexBytes() const {
    return starts_.capacity() * sizeof(uint32_t) + checkpoints_.capacity() * sizeof(Checkpoint);
}
