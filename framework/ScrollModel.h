// ScrollModel: the scroll arithmetic of CScrollView (framework/ScrollView.h),
// kept apart from the window system. All values are pixels.
//
//   - The view knows the size of the whole picture (total size), the
//     size its client area would have without scroll bars, the thickness of
//     the two bars and the line step (one character cell).
//   - Bars: range X = total width - client width, range Y = total height -
//     client height. A horizontal bar is needed when range X > 0, and then
//     range Y grows by the horizontal bar's height. A vertical bar is needed
//     when range Y > 0, and then range X grows by the vertical bar's width.
//     If that makes range X > 0 while no horizontal bar was needed, the
//     horizontal bar is needed after all and range Y grows by its height.
//   - A client area too small to hold a bar (width not above the vertical
//     bar's width, or height not above the horizontal bar's height) gets no
//     bars at all.
//   - The visible size is the client size less the shown bars; it is also
//     the page step (no overlap between pages).
//   - A direction with a bar scrolls between 0 and total - visible; a
//     direction without one stays at 0. Every change of sizes clamps the
//     position into the new limits.
//   - Steps: line up/down/left/right by the line size, page by the page
//     size, top/bottom, and the thumb's position; the result is clamped.
//
// The scroll codes have the values of the platform's SB_* codes, so the
// window code can pass the code of a WM_HSCROLL / WM_VSCROLL message on
// unchanged. The names differ from the platform's macros on purpose, so that
// this header can be included next to the platform headers.

#ifndef FRAMEWORK_SCROLLMODEL_H
#define FRAMEWORK_SCROLLMODEL_H

#include <cstdint>

// Scroll codes of a scroll message (same values as the platform's).
struct ScrollCode {
    enum : int {
        LineUp = 0,        // also line left
        LineLeft = 0,
        LineDown = 1,      // also line right
        LineRight = 1,
        PageUp = 2,        // also page left
        PageLeft = 2,
        PageDown = 3,      // also page right
        PageRight = 3,
        ThumbPosition = 4,
        ThumbTrack = 5,
        Top = 6,           // also leftmost
        Left = 6,
        Bottom = 7,        // also rightmost
        Right = 7,
        EndScroll = 8
    };
};

enum class ScrollAxis { Horizontal, Vertical };

// Outcome of the bar decision for one client size.
struct BarLayout {
    bool horzBar = false;       // horizontal bar shown
    bool vertBar = false;       // vertical bar shown
    int32_t visibleWidth = 0;   // client size less the shown bars
    int32_t visibleHeight = 0;
    int32_t limitX = 0;         // largest position; 0 without a bar
    int32_t limitY = 0;
};

// Decides the bars for a picture of totalWidth x totalHeight in a client
// area of clientWidth x clientHeight measured without bars. Negative sizes
// count as 0.
BarLayout DecideBars(int32_t totalWidth, int32_t totalHeight,
                     int32_t clientWidth, int32_t clientHeight,
                     int32_t vertBarWidth, int32_t horzBarHeight);

class ScrollModel {
public:
    ScrollModel() = default;

    // Each setter lays the bars out again and clamps the position.
    void SetTotalSize(int32_t width, int32_t height);
    void SetLineSize(int32_t x, int32_t y);
    void SetBarSizes(int32_t vertBarWidth, int32_t horzBarHeight);
    // The client size the view would have without scroll bars.
    void Resize(int32_t clientWidth, int32_t clientHeight);

    // The client size without bars, from a client size measured with the
    // given bars shown (a resize notification reports the client size less
    // the bars the window has at that moment, which during an update of the
    // bars need not be the bars of the current layout).
    int32_t WidthWithoutBars(int32_t clientWidth, bool vertBarShown) const;
    int32_t HeightWithoutBars(int32_t clientHeight, bool horzBarShown) const;

    // Applies one scroll code to one direction; thumbPos is only read for
    // ThumbPosition and ThumbTrack. Returns whether the position changed;
    // *delta (if given) gets new position minus old (0 when unchanged).
    // A direction without a bar never moves.
    bool Scroll(ScrollAxis axis, int code, int32_t thumbPos = 0, int32_t* delta = nullptr);

    const BarLayout& Bars() const { return bars_; }
    bool HasHorzBar() const { return bars_.horzBar; }
    bool HasVertBar() const { return bars_.vertBar; }
    int32_t PosX() const { return posX_; }
    int32_t PosY() const { return posY_; }
    int32_t LimitX() const { return bars_.limitX; }
    int32_t LimitY() const { return bars_.limitY; }
    int32_t VisibleWidth() const { return bars_.visibleWidth; }
    int32_t VisibleHeight() const { return bars_.visibleHeight; }

    // Step sizes. A page is the visible size; a line size <= 0 falls back to
    // a tenth of the page (at least 1 pixel).
    int32_t PageX() const { return bars_.visibleWidth; }
    int32_t PageY() const { return bars_.visibleHeight; }
    int32_t LineX() const;
    int32_t LineY() const;

private:
    void Relayout();

    int32_t totalWidth_ = 0;
    int32_t totalHeight_ = 0;
    int32_t clientWidth_ = 0;
    int32_t clientHeight_ = 0;
    int32_t vertBarWidth_ = 0;
    int32_t horzBarHeight_ = 0;
    int32_t lineX_ = 0;
    int32_t lineY_ = 0;
    int32_t posX_ = 0;
    int32_t posY_ = 0;
    BarLayout bars_;
};

#endif  // FRAMEWORK_SCROLLMODEL_H
