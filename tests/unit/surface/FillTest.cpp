// Fills, patterns, gradients, round rectangles, focus rectangles and the brush and pen table.
#include "SurfaceFixture.h"

namespace tavrin::software::testing {
namespace {

using platform::RECT;

class FillTest : public SurfaceTest {
  protected:
    void fill(const RECT& r, uint32_t rgb) {
        const platform::HBRUSH brush = gdi.CreateSolidBrush(rgb);
        gdi.FillRect(dc(), r, brush);
        gdi.DeleteObject(brush);
    }
};

TEST_F(FillTest, FillRectCoversExactlyTheRectangleClippedToTheSurface) {
    struct Case {
        RECT rect;
        RECT expected; // the pixels that change
    };
    const Case cases[] = {
        {{2, 3, 6, 7}, {2, 3, 6, 7}},   {{3, 3, 3, 7}, {0, 0, 0, 0}},     {{6, 2, 3, 7}, {0, 0, 0, 0}},
        {{-5, -5, 3, 2}, {0, 0, 3, 2}}, {{8, 8, 40, 40}, {8, 8, 10, 10}}, {{0, 0, 10, 10}, {0, 0, 10, 10}},
        {{12, 0, 20, 5}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        surface.fillRect({0, 0, 10, 10}, kSentinel);
        fill(c.rect, 0x0000FF);
        EXPECT_TRUE(untouchedOutside(c.expected)) << c.rect.left << "," << c.rect.top;
        for (int32_t y = c.expected.top; y < c.expected.bottom; ++y)
            for (int32_t x = c.expected.left; x < c.expected.right; ++x)
                EXPECT_EQ(at(x, y), 0x0000FFu);
    }
}

TEST_F(FillTest, CallsOnBadHandlesFailAndDrawNothing) {
    EXPECT_EQ(gdi.FillRect(dc(), {0, 0, 5, 5}, 0x7777), 0);
    EXPECT_EQ(gdi.FillRect(0x7777, {0, 0, 5, 5}, platform::HBRUSH{kStockWhiteBrush}), 0);
    EXPECT_FALSE(gdi.PatBlt(dc(), 0, 0, 5, 5, 0x12345678));
    EXPECT_FALSE(gdi.DrawFocusRect(0x7777, {0, 0, 5, 5}));
    EXPECT_EQ(gdi.SelectObject(dc(), 0), 0);
    EXPECT_EQ(gdi.CreatePen(2, 1, 0), 0); // dashed pens are not offered
    EXPECT_TRUE(untouchedOutside({0, 0, 0, 0}));
}

TEST_F(FillTest, AndPatternOverWhiteGivesTheBrushColourAndKeepsBlack) {
    surface.fillRect({0, 0, 10, 5}, 0xFFFFFF);
    surface.fillRect({0, 5, 10, 10}, 0x000000);
    const platform::HBRUSH brush = gdi.CreateSolidBrush(0x3C9DE5);
    const platform::HGDIOBJ old = gdi.SelectObject(dc(), brush);
    EXPECT_TRUE(gdi.PatBlt(dc(), 1, 1, 8, 8, platform::ROP_DPa));
    gdi.SelectObject(dc(), old);
    gdi.DeleteObject(brush);
    EXPECT_EQ(at(1, 1), 0x3C9DE5u);
    EXPECT_EQ(at(8, 4), 0x3C9DE5u);
    EXPECT_EQ(at(4, 7), 0x000000u);
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);                                 // outside: left and top
    EXPECT_EQ(at(9, 4), 0xFFFFFFu);                                 // right edge excluded
    EXPECT_EQ(at(4, 9), 0x000000u);                                 // bottom edge excluded
    EXPECT_TRUE(gdi.PatBlt(dc(), 0, 0, 10, 10, platform::ROP_DPa)); // the stock white brush
    EXPECT_EQ(at(1, 1), 0x3C9DE5u);
}

TEST_F(FillTest, GradientStartsExactlyOnTheFirstColourAndApproachesTheLast) {
    const platform::TRIVERTEX from{0, 0, 0x1000, 0x8000, 0xFF00, 0}, to{10, 10, 0xFF00, 0x2000, 0x0000, 0};
    for (uint32_t mode : {platform::GRADIENT_FILL_RECT_H, platform::GRADIENT_FILL_RECT_V}) {
        platform::TRIVERTEX v[2] = {from, to};
        platform::GRADIENT_RECT rect;
        ASSERT_TRUE(gdi.GradientFill(dc(), v, 2, &rect, 1, mode));
        const bool vertical = mode == platform::GRADIENT_FILL_RECT_V;
        auto step = [&](int32_t i) { return vertical ? at(3, i) : at(i, 3); };
        EXPECT_EQ(step(0), 0xFF8010u) << mode;
        // Step 9 of 10, channel by channel in 16 bits, then the high byte.
        EXPECT_EQ(step(9), 0x1929E7u) << mode;
        // Across the blend every pixel of a line has the same colour.
        EXPECT_EQ(vertical ? at(0, 5) : at(5, 0), vertical ? at(9, 5) : at(5, 9));
    }
}

TEST_F(FillTest, ClippedGradientKeepsTheColoursOfTheWholeRectangle) {
    platform::TRIVERTEX whole[2] = {{-10, 0, 0, 0, 0, 0}, {10, 10, 0xFF00, 0xFF00, 0xFF00, 0}};
    platform::GRADIENT_RECT rect;
    gdi.GradientFill(dc(), whole, 2, &rect, 1, platform::GRADIENT_FILL_RECT_H);
    EXPECT_EQ(at(0, 0), 0x7F7F7Fu); // halfway along the 20-pixel blend
}

TEST_F(FillTest, GradientRejectsBadArgumentsWithoutDrawing) {
    platform::TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {10, 10, 0, 0, 0, 0}};
    platform::GRADIENT_RECT outOfRange{0, 2};
    platform::GRADIENT_RECT rect;
    EXPECT_FALSE(gdi.GradientFill(dc(), v, 2, &outOfRange, 1, platform::GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(gdi.GradientFill(dc(), v, 2, &rect, 1, 2));
    platform::TRIVERTEX inverted[2] = {{8, 8, 0, 0, 0, 0}, {2, 2, 0, 0, 0, 0}};
    EXPECT_TRUE(gdi.GradientFill(dc(), inverted, 2, &rect, 1, platform::GRADIENT_FILL_RECT_V));
    EXPECT_TRUE(untouchedOutside({0, 0, 0, 0}));
}

class RoundRectTest : public FillTest {
  protected:
    void draw(int32_t l, int32_t t, int32_t r, int32_t b, int32_t corner) {
        const platform::HBRUSH brush = gdi.CreateSolidBrush(kInside);
        const platform::HPEN pen = gdi.CreatePen(platform::PS_SOLID, 1, kOutline);
        const platform::HGDIOBJ oldBrush = gdi.SelectObject(dc(), brush),
                                oldPen = gdi.SelectObject(dc(), pen);
        gdi.RoundRect(dc(), l, t, r, b, corner, corner);
        gdi.SelectObject(dc(), oldBrush);
        gdi.SelectObject(dc(), oldPen);
        gdi.DeleteObject(brush);
        gdi.DeleteObject(pen);
    }
    static constexpr uint32_t kInside = 0x00FF00, kOutline = 0x0000FF;
};

TEST_F(RoundRectTest, SquareCornersDrawAnOutlineAndFillTheInside) {
    for (int32_t corner : {0, 1}) {
        surface.fillRect({0, 0, 10, 10}, kSentinel);
        draw(2, 2, 8, 7, corner);
        EXPECT_TRUE(untouchedOutside({2, 2, 8, 7}));
        EXPECT_EQ(at(2, 2), kOutline);
        EXPECT_EQ(at(7, 6), kOutline); // right and bottom edges are the last pixels inside
        EXPECT_EQ(at(5, 2), kOutline);
        EXPECT_EQ(at(2, 4), kOutline);
        EXPECT_EQ(at(3, 3), kInside);
        EXPECT_EQ(at(6, 5), kInside);
    }
}

TEST_F(RoundRectTest, RoundedCornersLeaveTheCornerPixelsAlone) {
    draw(0, 0, 10, 10, 6);
    EXPECT_EQ(at(0, 0), kSentinel);
    EXPECT_EQ(at(9, 9), kSentinel);
    EXPECT_EQ(at(9, 0), kSentinel);
    EXPECT_EQ(at(5, 0), kOutline);
    EXPECT_EQ(at(0, 5), kOutline);
    EXPECT_EQ(at(9, 5), kOutline);
    EXPECT_EQ(at(5, 5), kInside);
    // The outline is closed: every row's leftmost changed pixel is outline.
    for (int32_t y = 0; y < 10; ++y) {
        int32_t x = 0;
        while (at(x, y) == kSentinel)
            ++x;
        EXPECT_EQ(at(x, y), kOutline) << y;
    }
}

TEST_F(FillTest, FocusRectangleDotsEveryOtherPixelAndASecondCallRestoresAll) {
    surface.fillRect({0, 0, 5, 10}, 0xFFFFFF);
    const std::vector<uint32_t> before = snapshot();
    for (RECT r : {RECT{1, 1, 9, 8}, RECT{-3, 2, 6, 12}, RECT{2, 4, 8, 5}, RECT{4, 1, 5, 9}}) {
        ASSERT_TRUE(gdi.DrawFocusRect(dc(), r));
        ASSERT_TRUE(gdi.DrawFocusRect(dc(), r));
        EXPECT_EQ(snapshot(), before) << r.left << "," << r.top;
    }
    surface.fillRect({0, 0, 10, 10}, kSentinel);
    gdi.DrawFocusRect(dc(), {1, 1, 9, 8});
    const std::vector<std::string> expected = {
        "..........", ".#.#.#.#..", "........#.", ".#........", "........#.",
        ".#........", "........#.", ".#.#.#.#..", "..........", "..........",
    };
    EXPECT_EQ(changed(), expected);
    EXPECT_EQ(at(7, 1), 0xFFFFFFu ^ kSentinel); // inverted
}

TEST_F(FillTest, BrushesAndPensAreCountedUntilDeleted) {
    for (int round = 0; round < 3; ++round) {
        const platform::HBRUSH brush = gdi.CreateSolidBrush(0x123456);
        const platform::HPEN pen = gdi.CreatePen(platform::PS_SOLID, 1, 0x654321);
        EXPECT_EQ(gdi.liveObjects(), 2);
        const platform::HGDIOBJ oldBrush = gdi.SelectObject(dc(), brush);
        const platform::HGDIOBJ oldPen = gdi.SelectObject(dc(), pen);
        EXPECT_EQ(oldBrush, kStockWhiteBrush);
        EXPECT_EQ(oldPen, kStockBlackPen);
        EXPECT_FALSE(gdi.DeleteObject(brush)) << "a selected brush stays alive";
        EXPECT_EQ(gdi.liveObjects(), 2);
        EXPECT_EQ(gdi.SelectObject(dc(), oldBrush), brush);
        EXPECT_EQ(gdi.SelectObject(dc(), oldPen), pen);
        EXPECT_TRUE(gdi.DeleteObject(brush));
        EXPECT_TRUE(gdi.DeleteObject(pen));
        EXPECT_FALSE(gdi.DeleteObject(pen)) << "already gone";
    }
    EXPECT_EQ(gdi.liveObjects(), 0);
    EXPECT_TRUE(gdi.DeleteObject(kStockWhiteBrush)); // stock objects are never deleted nor counted
    EXPECT_EQ(gdi.liveObjects(), 0);
}

TEST_F(FillTest, AnObjectSelectedInAGoneSurfaceCanBeDeleted) {
    const platform::HBRUSH brush = gdi.CreateSolidBrush(0x123456);
    {
        SoftwareSurface other(gdi, 4, 4);
        gdi.SelectObject(other.hDC(), brush);
        EXPECT_FALSE(gdi.DeleteObject(brush));
    }
    EXPECT_TRUE(gdi.DeleteObject(brush));
    EXPECT_EQ(gdi.liveObjects(), 0);
}

} // namespace
} // namespace tavrin::software::testing
