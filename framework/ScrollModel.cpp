// ScrollModel: bar decision, position limits and scroll steps.

#include "framework/ScrollModel.h"

#include <algorithm>
#include <limits>

namespace {

int32_t NonNegative(int32_t v) { return v < 0 ? 0 : v; }

int32_t Clamp(int64_t v, int32_t limit) {
    if (v < 0)
        return 0;
    return v > limit ? limit : static_cast<int32_t>(v);
}

int32_t FallbackLine(int32_t line, int32_t page) {
    if (line > 0)
        return line;
    return std::max(page / 10, 1);
}

}  // namespace

BarLayout DecideBars(int32_t totalWidth, int32_t totalHeight,
                     int32_t clientWidth, int32_t clientHeight,
                     int32_t vertBarWidth, int32_t horzBarHeight) {
    totalWidth = NonNegative(totalWidth);
    totalHeight = NonNegative(totalHeight);
    clientWidth = NonNegative(clientWidth);
    clientHeight = NonNegative(clientHeight);
    vertBarWidth = NonNegative(vertBarWidth);
    horzBarHeight = NonNegative(horzBarHeight);

    BarLayout out;
    out.visibleWidth = clientWidth;
    out.visibleHeight = clientHeight;
    if (clientWidth <= vertBarWidth || clientHeight <= horzBarHeight)
        return out;  // no room for bars: none at all

    // 64 bits: a range plus a bar may pass INT32_MAX.
    int64_t rangeX = static_cast<int64_t>(totalWidth) - clientWidth;
    int64_t rangeY = static_cast<int64_t>(totalHeight) - clientHeight;
    bool horz = rangeX > 0;
    if (horz)
        rangeY += horzBarHeight;
    const bool vert = rangeY > 0;
    if (vert)
        rangeX += vertBarWidth;
    if (vert && !horz && rangeX > 0) {
        horz = true;  // the vertical bar took the room the picture needed
        rangeY += horzBarHeight;
    }

    out.horzBar = horz;
    out.vertBar = vert;
    out.visibleWidth = clientWidth - (vert ? vertBarWidth : 0);
    out.visibleHeight = clientHeight - (horz ? horzBarHeight : 0);
    // With a bar the range equals total - visible, which fits 32 bits.
    out.limitX = horz ? totalWidth - out.visibleWidth : 0;
    out.limitY = vert ? totalHeight - out.visibleHeight : 0;
    return out;
}

void ScrollModel::SetTotalSize(int32_t width, int32_t height) {
    totalWidth_ = width;
    totalHeight_ = height;
    Relayout();
}

void ScrollModel::SetLineSize(int32_t x, int32_t y) {
    lineX_ = x;
    lineY_ = y;
}

void ScrollModel::SetBarSizes(int32_t vertBarWidth, int32_t horzBarHeight) {
    vertBarWidth_ = vertBarWidth;
    horzBarHeight_ = horzBarHeight;
    Relayout();
}

void ScrollModel::Resize(int32_t clientWidth, int32_t clientHeight) {
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    Relayout();
}

void ScrollModel::Relayout() {
    bars_ = DecideBars(totalWidth_, totalHeight_, clientWidth_, clientHeight_,
                       vertBarWidth_, horzBarHeight_);
    posX_ = Clamp(posX_, bars_.limitX);
    posY_ = Clamp(posY_, bars_.limitY);
}

int32_t ScrollModel::WidthWithoutBars(int32_t clientWidth, bool vertBarShown) const {
    const int64_t w = static_cast<int64_t>(clientWidth) + (vertBarShown ? NonNegative(vertBarWidth_) : 0);
    return static_cast<int32_t>(std::min<int64_t>(w, std::numeric_limits<int32_t>::max()));
}

int32_t ScrollModel::HeightWithoutBars(int32_t clientHeight, bool horzBarShown) const {
    const int64_t h = static_cast<int64_t>(clientHeight) + (horzBarShown ? NonNegative(horzBarHeight_) : 0);
    return static_cast<int32_t>(std::min<int64_t>(h, std::numeric_limits<int32_t>::max()));
}

int32_t ScrollModel::LineX() const { return FallbackLine(lineX_, PageX()); }
int32_t ScrollModel::LineY() const { return FallbackLine(lineY_, PageY()); }

bool ScrollModel::Scroll(ScrollAxis axis, int code, int32_t thumbPos, int32_t* delta) {
    if (delta)
        *delta = 0;
    const bool horizontal = axis == ScrollAxis::Horizontal;
    if (!(horizontal ? bars_.horzBar : bars_.vertBar))
        return false;
    int32_t& pos = horizontal ? posX_ : posY_;
    const int32_t limit = horizontal ? bars_.limitX : bars_.limitY;
    const int64_t line = horizontal ? LineX() : LineY();
    const int64_t page = horizontal ? PageX() : PageY();

    int64_t target = pos;
    switch (code) {
    case ScrollCode::LineUp:        target = pos - line; break;
    case ScrollCode::LineDown:      target = pos + line; break;
    case ScrollCode::PageUp:        target = pos - page; break;
    case ScrollCode::PageDown:      target = pos + page; break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack:    target = thumbPos; break;
    case ScrollCode::Top:           target = 0; break;
    case ScrollCode::Bottom:        target = limit; break;
    default:                        return false;  // EndScroll and unknown codes
    }
    const int32_t next = Clamp(target, limit);
    if (next == pos)
        return false;
    if (delta)
        *delta = next - pos;
    pos = next;
    return true;
}
