// Thumb size and position, the fixed layout, the failures that stop a size step, and what one
// paint stacks where.
#include "BarFixture.h"
#include "scrollbar/XPVScrollAccess.h"

namespace tavrin::test {
namespace {

using Keys = std::vector<std::string>;

class Geometry : public BarTest {};

TEST_F(Geometry, ResizeKeepsTheWidthAndAMinimumHeight) {
    load();
    host.uc.width = 400;
    host.uc.height = 300;
    bar.UserControl_Resize();
    EXPECT_EQ(host.uc.width, 255);
    EXPECT_EQ(host.uc.height, 750);
    EXPECT_EQ(num("p_DownTop"), 495);
}

TEST_F(Geometry, ThumbHeightFollowsLargeChangeInSinglePrecision) {
    struct Case {
        double height, max, largeChange, expected;
    } cases[] = {
        {3000, 100, 10, 826.3636}, // r x 2490 = 226.36, plus a fifth of the height
        {3000, 200, 49, 1090},     // the standard layout of these tests
        {750, 32767, 1, 240},      // a fifth would be 150: the minimum decides
        {3000, 32767, 1, 600.076}, // the fifth always fits on a tall bar with a tiny ratio
    };
    for (const auto& c : cases) {
        host.uc.height = c.height;
        load();
        bar.SetMax(c.max);
        bar.SetLargeChange(c.largeChange);
        bar.UserControl_Resize();
        const double height = num("p_BarHeight");
        EXPECT_NEAR(height, c.expected, 1e-3) << c.height << " " << c.max << " " << c.largeChange;
        EXPECT_EQ(height, static_cast<double>(static_cast<float>(height))) << "kept in single precision";
    }
}

TEST_F(Geometry, FifthOfHeightIsAddedOnlyWhenItStillFits) {
    host.uc.height = 1000;
    load();
    bar.SetMax(10);
    bar.SetLargeChange(10); // r = 1/2: t = 245, and 245 + 510 + 200 < 1000
    bar.UserControl_Resize();
    EXPECT_NEAR(num("p_BarHeight"), 445, 1e-3);
}

TEST_F(Geometry, ValueAtTheEndsPutsTheThumbAgainstTheButtons) {
    standardLayout();
    bar.SetValue(0);
    EXPECT_EQ(num("p_BarTop"), 255);
    bar.SetValue(200);
    EXPECT_EQ(num("p_BarTop"), 3000 - 255 - 1090);
    bar.SetValue(50);
    EXPECT_EQ(num("p_BarTop"), 605);
}

TEST_F(Geometry, DivisionByZeroInTheSizeStepStopsItBeforeTheRepaint) {
    standardLayout();
    bar.SetMax(100);
    bar.SetLargeChange(-100); // Max + LargeChange = 0
    const int32_t clsBefore = host.uc.clsCount;
    const double heightBefore = num("p_BarHeight");
    bar.SetValue(50);
    EXPECT_EQ(num("p_BarHeight"), heightBefore);
    EXPECT_EQ(host.uc.clsCount, clsBefore) << "a size step that stops does not repaint";
    EXPECT_DOUBLE_EQ(num("p_BarTop"), 255 + (2490 - heightBefore) * 0.5) << "the position step still ran";
    EXPECT_EQ(host.changed.back(), "Value");
}

TEST_F(Geometry, EqualMinAndMaxKeepTheThumbWhereTheSizeStepPutIt) {
    standardLayout();
    bar.SetMin(200); // Value pulled to 200 = Max = Min
    EXPECT_EQ(bar.Value(), 200);
    EXPECT_EQ(num("p_BarTop"), 255) << "Value <= Min in the size step; the position step fails";
}

TEST_F(Geometry, HitZonesBelongToTheTrackAtTheirBorders) {
    standardLayout();
    struct Case {
        double y;
        BarPart part;
    } cases[] = {{0, BarPart::UpButton}, {254.9, BarPart::UpButton},    {255, BarPart::Track},
                 {2745, BarPart::Track}, {2745.1, BarPart::DownButton}, {3000, BarPart::DownButton}};
    for (const auto& c : cases)
        EXPECT_EQ(XPVScrollAccess::partAt(bar, c.y), c.part) << c.y;
    // Hovering includes the thumb's ends, pressing excludes them.
    for (double y : {605.0, 1695.0}) {
        EXPECT_TRUE(XPVScrollAccess::onThumbForHover(bar, y)) << y;
        EXPECT_FALSE(XPVScrollAccess::onThumbForPress(bar, y)) << y;
    }
    EXPECT_FALSE(XPVScrollAccess::onThumbForHover(bar, 1695.5));
    EXPECT_TRUE(XPVScrollAccess::onThumbForPress(bar, 605.5));
    // Paging down only strictly between the thumb and the down button.
    for (double y : {255.0, 605.0, 1695.0, 2745.0})
        EXPECT_FALSE(XPVScrollAccess::pagesDown(bar, y)) << y;
    EXPECT_TRUE(XPVScrollAccess::pagesDown(bar, 1695.5));
    EXPECT_TRUE(XPVScrollAccess::pagesDown(bar, 2744.5));
}

TEST_F(Geometry, PaintStacksThePicturesInOrderAtTheirPlaces) {
    standardLayout();
    bar.SetValue(50);
    EXPECT_EQ(paintedKeys(), (Keys{"VS_BACK(0)", "VS_BAR(0)", "VS_GRIPBAR(0)", "VS_TOP(0)", "VS_BOTTOM(0)",
                                   "VS_UP(0)", "VS_DOWN(0)"}));
    const auto& p = host.uc.paints;
    EXPECT_EQ(p[0].height, 3000.0);
    EXPECT_EQ(p[1].y, 605);
    EXPECT_EQ(p[1].height, 1090.0);
    EXPECT_EQ(p[2].x, 75);
    EXPECT_EQ(p[2].y, 605 + 545 - 60);
    EXPECT_EQ(p[4].y, 1695 - 45);
    EXPECT_FALSE(p[4].height.has_value()) << "caps, grip and buttons keep their own size";
    EXPECT_EQ(p[6].y, 2745);
}

TEST_F(Geometry, EveryPieceIsPaintedAtItsRectangle) {
    standardLayout();
    for (double value : {0.0, 50.0, 200.0}) {
        bar.SetValue(value);
        ASSERT_EQ(host.uc.paints.size(), kBarPieceCount);
        for (size_t i = 0; i < kBarPieceCount; ++i) {
            const BarRect place = XPVScrollAccess::pieceRect(bar, static_cast<BarPiece>(i));
            EXPECT_EQ(host.uc.paints[i].x, place.left) << i;
            EXPECT_EQ(host.uc.paints[i].y, place.top) << i;
        }
        EXPECT_EQ(XPVScrollAccess::pieceRect(bar, BarPiece::Thumb).bottom(),
                  XPVScrollAccess::pieceRect(bar, BarPiece::BottomCap).bottom());
        EXPECT_EQ(XPVScrollAccess::pieceRect(bar, BarPiece::DownButton).top, num("p_DownTop"));
    }
}

// The size step measures the thumb's travel on Height, the position step on ScaleHeight: with a
// border taking 60 twips, the size step's paint shows the thumb where Height puts it and the
// position step then moves it, unpainted, to where ScaleHeight does.
TEST_F(Geometry, SizeStepTravelsOnHeightPositionStepOnScaleHeight) {
    host.uc.borderTwips = 60; // ScaleHeight 2940
    load();
    bar.SetMax(200);
    bar.SetLargeChange(49);
    bar.SetValue(50);
    ASSERT_EQ(num("p_BarHeight"), 1078) << "490 from the range and a fifth of ScaleHeight";
    EXPECT_EQ(host.uc.paints[1].y, 255 + (3000 - 510 - 1078) / 4) << "painted by the size step";
    EXPECT_EQ(num("p_BarTop"), 255 + (2940 - 510 - 1078) / 4) << "placed by the position step";
    bar.SetValue(200);
    EXPECT_EQ(num("p_BarTop") + 1078, num("p_DownTop")) << "Max puts the thumb on the down button";
}

TEST_F(Geometry, GripTopRoundsHalvesToEven) {
    // LargeChange 0 leaves exactly a fifth of the height as the thumb.
    struct Case {
        double height;
        double thumb;
        int32_t grip;
    } cases[] = {{1200, 240, 315}, {1205, 241, 316}, {1215, 243, 316}};
    for (const auto& c : cases) {
        host.uc.height = c.height;
        load();
        bar.SetLargeChange(0);
        bar.UserControl_Resize();
        ASSERT_EQ(num("p_BarHeight"), c.thumb);
        EXPECT_EQ(num("p_GripTop"), c.grip) << c.height;
        EXPECT_EQ(host.uc.paints[3].y, 255) << "top cap";
        EXPECT_EQ(host.uc.paints[4].y, 255 + c.thumb - 45) << "bottom cap";
    }
}

TEST_F(Geometry, ANewBarIsBlankUntilItsFirstRealPaint) {
    bar.InitProperties();
    EXPECT_EQ(host.uc.height, 2000);
    EXPECT_GE(host.uc.clsCount, 1);
    EXPECT_TRUE(host.uc.paints.empty()) << "the paint in the resize ran before the pictures were loaded";
    EXPECT_EQ(text("p_CurUp"), "VS_UP");
    bar.SetValue(1);
    EXPECT_EQ(host.uc.paints.size(), 7u);
}

} // namespace
} // namespace tavrin::test
