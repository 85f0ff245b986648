// Tests of the scroll model and the viewer's key table.

#include "framework/ScrollModel.h"
#include "viewer/ViewerKeys.h"

#include <gtest/gtest.h>

namespace {

const int32_t kBarW = 16;  // vertical bar width
const int32_t kBarH = 16;  // horizontal bar height
const int32_t kCharW = 8;
const int32_t kLineH = 12;

BarLayout Decide(int32_t tw, int32_t th, int32_t w, int32_t h) {
    return DecideBars(tw, th, w, h, kBarW, kBarH);
}

ScrollModel Model(int32_t tw, int32_t th, int32_t w, int32_t h) {
    ScrollModel m;
    m.SetBarSizes(kBarW, kBarH);
    m.SetLineSize(kCharW, kLineH);
    m.SetTotalSize(tw, th);
    m.Resize(w, h);
    return m;
}

TEST(ScrollBars, TextThatFitsGetsNone) {
    for (const BarLayout& b : {Decide(0, 0, 400, 300), Decide(400, 300, 400, 300),
                               Decide(100, 50, 400, 300)}) {
        EXPECT_FALSE(b.horzBar);
        EXPECT_FALSE(b.vertBar);
        EXPECT_EQ(b.visibleWidth, 400);
        EXPECT_EQ(b.visibleHeight, 300);
        EXPECT_EQ(b.limitX, 0);
        EXPECT_EQ(b.limitY, 0);
    }
}

TEST(ScrollBars, OneDirection) {
    BarLayout b = Decide(1000, 100, 400, 300);  // wide, short
    EXPECT_TRUE(b.horzBar);
    EXPECT_FALSE(b.vertBar);
    EXPECT_EQ(b.visibleHeight, 300 - kBarH);
    EXPECT_EQ(b.limitX, 600);

    b = Decide(100, 1000, 400, 300);  // narrow, tall
    EXPECT_FALSE(b.horzBar);
    EXPECT_TRUE(b.vertBar);
    EXPECT_EQ(b.visibleWidth, 400 - kBarW);
    EXPECT_EQ(b.limitY, 700);
}

TEST(ScrollBars, OneBarTakesTheRoomTheOtherDirectionNeeded) {
    // Horizontal bar first: the text just fitted in height, no longer does.
    BarLayout b = Decide(1000, 290, 400, 300);
    EXPECT_TRUE(b.horzBar);
    EXPECT_TRUE(b.vertBar);
    EXPECT_EQ(b.limitY, 290 - (300 - kBarH));
    EXPECT_EQ(b.limitX, 1000 - (400 - kBarW));

    // Second pass: the vertical bar makes the text too wide after all.
    b = Decide(390, 1000, 400, 300);
    EXPECT_TRUE(b.vertBar);
    EXPECT_TRUE(b.horzBar);
    EXPECT_EQ(b.limitX, 390 - (400 - kBarW));
    EXPECT_EQ(b.limitY, 1000 - (300 - kBarH));

    // ... but not when the text is narrow enough beside the bar.
    b = Decide(400 - kBarW, 1000, 400, 300);
    EXPECT_TRUE(b.vertBar);
    EXPECT_FALSE(b.horzBar);
    EXPECT_EQ(b.visibleHeight, 300);
}

TEST(ScrollBars, TooSmallForBarsGetsNone) {
    for (const BarLayout& b : {Decide(5000, 5000, kBarW, 300), Decide(5000, 5000, 400, kBarH),
                               Decide(5000, 5000, 0, 0)}) {
        EXPECT_FALSE(b.horzBar);
        EXPECT_FALSE(b.vertBar);
        EXPECT_EQ(b.limitX, 0);
        EXPECT_EQ(b.limitY, 0);
    }
    BarLayout b = Decide(5000, 5000, kBarW + 1, kBarH + 1);
    EXPECT_TRUE(b.horzBar);
    EXPECT_TRUE(b.vertBar);
    EXPECT_EQ(b.visibleWidth, 1);
    EXPECT_EQ(b.limitX, 4999);
}

TEST(ScrollBars, HugeTextDoesNotOverflow) {
    const int32_t big = 2147483647;
    BarLayout b = Decide(big, big, 400, 300);
    EXPECT_TRUE(b.horzBar);
    EXPECT_TRUE(b.vertBar);
    EXPECT_EQ(b.limitX, big - (400 - kBarW));
    EXPECT_EQ(b.limitY, big - (300 - kBarH));
}

TEST(ScrollSteps, LinesAndPagesDown) {
    ScrollModel m = Model(200, 1000, 400, 300);  // only a vertical bar, 300 visible
    ASSERT_EQ(m.LimitY(), 700);
    int32_t delta = 0;
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::LineDown, 0, &delta));
    EXPECT_EQ(delta, kLineH);
    EXPECT_EQ(m.PosY(), kLineH);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::PageDown, 0, &delta));
    EXPECT_EQ(delta, 300);
    EXPECT_EQ(m.PosY(), kLineH + 300);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::PageUp));
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::LineUp));
    EXPECT_EQ(m.PosY(), 0);
}

TEST(ScrollSteps, PageDownNearTheEndStopsAtTheEnd) {
    ScrollModel m = Model(200, 1000, 400, 300);
    m.Scroll(ScrollAxis::Vertical, ScrollCode::ThumbPosition, 600);
    int32_t delta = 0;
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::PageDown, 0, &delta));
    EXPECT_EQ(m.PosY(), 700);  // last line's bottom at the view's bottom
    EXPECT_EQ(delta, 100);
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, ScrollCode::PageDown, 0, &delta));
    EXPECT_EQ(delta, 0);
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, ScrollCode::LineDown));
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, ScrollCode::Bottom));
    EXPECT_EQ(m.PosY(), 700);
}

TEST(ScrollSteps, AtTheTopUpChangesNothing) {
    ScrollModel m = Model(200, 1000, 400, 300);
    int32_t delta = 99;
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, ScrollCode::LineUp, 0, &delta));
    EXPECT_EQ(delta, 0);
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, ScrollCode::PageUp));
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, ScrollCode::Top));
    EXPECT_EQ(m.PosY(), 0);
}

TEST(ScrollSteps, ThumbTopBottomAndEndScroll) {
    ScrollModel m = Model(200, 1000, 400, 300);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::ThumbTrack, 123));
    EXPECT_EQ(m.PosY(), 123);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::ThumbPosition, 5000));
    EXPECT_EQ(m.PosY(), 700);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::ThumbPosition, -40));
    EXPECT_EQ(m.PosY(), 0);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::Bottom));
    EXPECT_EQ(m.PosY(), 700);
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, ScrollCode::EndScroll, 5));
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, 42, 5));
    EXPECT_TRUE(m.Scroll(ScrollAxis::Vertical, ScrollCode::Top));
    EXPECT_EQ(m.PosY(), 0);
}

TEST(ScrollSteps, DirectionWithoutBarNeverMoves) {
    ScrollModel m = Model(200, 1000, 400, 300);  // no horizontal bar
    for (int code : {ScrollCode::LineRight, ScrollCode::PageRight, ScrollCode::Right,
                     ScrollCode::ThumbTrack})
        EXPECT_FALSE(m.Scroll(ScrollAxis::Horizontal, code, 50));
    EXPECT_EQ(m.PosX(), 0);

    ScrollModel empty = Model(0, 0, 400, 300);
    EXPECT_FALSE(empty.Scroll(ScrollAxis::Vertical, ScrollCode::PageDown));
    EXPECT_FALSE(empty.Scroll(ScrollAxis::Horizontal, ScrollCode::LineRight));
}

TEST(ScrollSteps, HorizontalStepsByCharacterWidth) {
    ScrollModel m = Model(1000, 100, 400, 300);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Horizontal, ScrollCode::LineRight));
    EXPECT_TRUE(m.Scroll(ScrollAxis::Horizontal, ScrollCode::LineRight));
    EXPECT_EQ(m.PosX(), 2 * kCharW);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Horizontal, ScrollCode::LineLeft));
    EXPECT_EQ(m.PosX(), kCharW);
    EXPECT_TRUE(m.Scroll(ScrollAxis::Horizontal, ScrollCode::PageRight));
    EXPECT_EQ(m.PosX(), kCharW + 400);
}

TEST(ScrollResize, ClampsIntoTheNewLimits) {
    ScrollModel m = Model(1000, 1000, 400, 300);
    m.Scroll(ScrollAxis::Vertical, ScrollCode::Bottom);
    m.Scroll(ScrollAxis::Horizontal, ScrollCode::Right);
    ASSERT_EQ(m.PosY(), 1000 - (300 - kBarH));
    m.Resize(600, 500);  // larger: smaller limits, position follows them
    EXPECT_EQ(m.PosY(), 1000 - (500 - kBarH));
    EXPECT_EQ(m.PosX(), 1000 - (600 - kBarW));
    m.Resize(400, 300);  // smaller again: position stays where it was
    EXPECT_EQ(m.PosY(), 1000 - (500 - kBarH));
}

TEST(ScrollResize, BarThatGoesAwayResetsItsDirection) {
    ScrollModel m = Model(1000, 1000, 400, 300);
    m.Scroll(ScrollAxis::Vertical, ScrollCode::PageDown);
    m.Scroll(ScrollAxis::Horizontal, ScrollCode::PageRight);
    m.Resize(400, 1100);  // tall enough: the vertical bar goes
    EXPECT_FALSE(m.HasVertBar());
    EXPECT_EQ(m.PosY(), 0);
    EXPECT_TRUE(m.HasHorzBar());
    EXPECT_GT(m.PosX(), 0);
    m.Resize(1100, 1100);
    EXPECT_EQ(m.PosX(), 0);

    m = Model(1000, 1000, 400, 300);
    m.Scroll(ScrollAxis::Vertical, ScrollCode::PageDown);
    m.Resize(kBarW, 300);  // too small for bars: both off, both at 0
    EXPECT_FALSE(m.HasVertBar());
    EXPECT_EQ(m.PosY(), 0);
    EXPECT_FALSE(m.Scroll(ScrollAxis::Vertical, ScrollCode::PageDown));
}

TEST(ScrollResize, ClientSizeWithoutBarsComesBackToTheSameLayout) {
    ScrollModel m = Model(1000, 100, 400, 300);  // horizontal bar only
    ASSERT_TRUE(m.HasHorzBar());
    ASSERT_FALSE(m.HasVertBar());
    EXPECT_EQ(m.PageY(), 300 - kBarH);
    // The window reports its client size less the bars it shows.
    const int32_t w = m.WidthWithoutBars(m.VisibleWidth(), m.HasVertBar());
    const int32_t h = m.HeightWithoutBars(m.VisibleHeight(), m.HasHorzBar());
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 300);
    EXPECT_EQ(m.WidthWithoutBars(400 - kBarW, true), 400);
    EXPECT_EQ(m.HeightWithoutBars(300, false), 300);
}

TEST(ViewerKeys, SixKeysScroll) {
    struct Row { unsigned key; unsigned message; int code; };
    const Row rows[] = {
        {0x21, 0x0115, 2}, {0x22, 0x0115, 3}, {0x25, 0x0114, 0},
        {0x26, 0x0115, 0}, {0x27, 0x0114, 1}, {0x28, 0x0115, 1},
    };
    for (const Row& row : rows) {
        const KeyScroll k = LookUpViewerKey(row.key);
        EXPECT_TRUE(k.scrolls) << row.key;
        EXPECT_EQ(k.message, row.message) << row.key;
        EXPECT_EQ(k.code, row.code) << row.key;
    }
}

TEST(ViewerKeys, OtherKeysDoNothing) {
    // Home, End, Escape, Tab, Enter, Space, Insert, Delete, and neighbours.
    for (unsigned key : {0x24u, 0x23u, 0x1Bu, 0x09u, 0x0Du, 0x20u, 0x2Du, 0x2Eu, 0x29u, 0u,
                         0x41u, 0x68u, 0xFFu, 0x121u, 0x10026u}) {
        const KeyScroll k = LookUpViewerKey(key);
        EXPECT_FALSE(k.scrolls) << key;
    }
}

TEST(ViewerKeys, KeysMoveTheModelTheRightWay) {
    ScrollModel m = Model(1000, 1000, 400, 300);
    auto press = [&m](unsigned key) {
        const KeyScroll k = LookUpViewerKey(key);
        const ScrollAxis axis =
            k.message == ScrollMessage::Horizontal ? ScrollAxis::Horizontal : ScrollAxis::Vertical;
        return m.Scroll(axis, k.code);
    };
    EXPECT_TRUE(press(ViewerKey::Down));
    EXPECT_EQ(m.PosY(), kLineH);
    EXPECT_TRUE(press(ViewerKey::PageDown));
    EXPECT_EQ(m.PosY(), kLineH + m.PageY());
    EXPECT_TRUE(press(ViewerKey::PageUp));
    EXPECT_TRUE(press(ViewerKey::Up));
    EXPECT_EQ(m.PosY(), 0);
    EXPECT_TRUE(press(ViewerKey::Right));
    EXPECT_EQ(m.PosX(), kCharW);
    EXPECT_EQ(m.PosY(), 0);
    EXPECT_TRUE(press(ViewerKey::Left));
    EXPECT_EQ(m.PosX(), 0);
}

}  // namespace
