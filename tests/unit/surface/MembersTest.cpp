// The host members of the surface: Cls, Line, PSet, Point, PaintPicture, scales, resize and PNG.
#include "SurfaceFixture.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/platform/Picture.h"

namespace tavrin::software::testing {
namespace {

using platform::RECT;

using MembersTest = SurfaceTest;

// A 2 x 2 picture: red, green / blue, white.
std::shared_ptr<platform::Picture> quad() {
    return std::make_shared<platform::Picture>(2, 2,
                                               std::vector<uint32_t>{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF});
}

TEST_F(MembersTest, ClsFillsWithTheResolvedBackColourAndResetsThePosition) {
    surface.SetCurrentX(4);
    surface.SetCurrentY(5);
    surface.Cls();
    EXPECT_EQ(at(0, 0), 0xFFFFFFu) << "the window colour of the system table";
    EXPECT_EQ(surface.CurrentX(), 0.0);
    EXPECT_EQ(surface.CurrentY(), 0.0);
    surface.SetBackColor(0x123456);
    surface.Cls();
    EXPECT_EQ(at(9, 9), 0x123456u);
    EXPECT_EQ(surface.BackColor(), 0x123456u);
    SoftwareGdi custom([](int32_t index) { return index == 15 ? 0xABCDEFu : 0u; });
    SoftwareSurface other(custom, 2, 2);
    other.SetBackColor(0x8000000F);
    other.Cls();
    EXPECT_EQ(other.pixelAt(1, 1), 0xABCDEFu);
}

TEST_F(MembersTest, LineLeavesOutItsEndPoint) {
    struct Case {
        double x1, y1, x2, y2;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {1, 1, 5, 1, {"..........", ".####....."}},
        {5, 1, 1, 1, {"..........", "..####...."}},
        {0, 0, 3, 3, {"#.........", ".#........", "..#......."}},
        {2, 0, 2, 3, {"..#.......", "..#.......", "..#......."}},
        {4, 4, 4, 4, {}},
        // Exactly halfway between two pixels a line takes the smaller coordinate, as GDI's do,
        // whichever way it runs.
        {0, 0, 4, 1, {"###.......", "...#......"}},
        {4, 1, 0, 0, {".##.......", "...##....."}},
        {0, 0, 1, 4, {"#.........", "#.........", "#.........", ".#........"}},
        {1, 4, 0, 0, {"..........", "#.........", "#.........", ".#........", ".#........"}},
    };
    for (const Case& c : cases) {
        surface.fillRect({0, 0, 10, 10}, kSentinel);
        surface.Line(c.x1, c.y1, c.x2, c.y2, 0x0000FF);
        std::vector<std::string> expected = c.expected;
        expected.resize(10, "..........");
        EXPECT_EQ(changed(), expected) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
    surface.Line(-20, 5, 30, 5, 0x0000FF); // clipped, not refused
    EXPECT_EQ(at(0, 5), 0x0000FFu);
    EXPECT_EQ(at(9, 5), 0x0000FFu);
}

TEST_F(MembersTest, PSetAndPointWorkInTheScaleAndReportOutsideAsAllOnes) {
    surface.PSet(3, 4, 0x00AA00);
    EXPECT_EQ(surface.Point(3, 4), 0x00AA00u);
    EXPECT_EQ(surface.Point(-1, 4), 0xFFFFFFFFu);
    EXPECT_EQ(surface.Point(10, 0), 0xFFFFFFFFu);
    surface.PSet(-1, 4, 0x00AA00); // outside: nothing
    EXPECT_TRUE(untouchedOutside({3, 4, 4, 5}));

    SoftwareSurface twips(gdi, 10, 10, platform::ScaleMode::Twips, 15.0);
    twips.PSet(30, 45, 0x0000FF);
    EXPECT_EQ(twips.pixelAt(2, 3), 0x0000FFu);
    EXPECT_EQ(twips.Point(30, 45), 0x0000FFu);
    EXPECT_EQ(twips.ScaleWidth(), 150.0);
    EXPECT_EQ(twips.ScaleHeight(), 150.0);
    EXPECT_EQ(surface.ScaleWidth(), 10.0);
}

TEST_F(MembersTest, CoordinatesBeyondAnySurfaceRaiseOverflow) {
    try {
        surface.Line(0, 0, 1e300, 0, 0);
        FAIL() << "no error";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), err::Overflow);
    }
    EXPECT_THROW(surface.PSet(std::nan(""), 0, 0), AutomationError);
}

TEST_F(MembersTest, PaintPictureStretchesByNearestNeighbour) {
    auto picture = quad();
    surface.PaintPicture(picture.get(), 1, 1, 4.0, 4.0);
    EXPECT_TRUE(untouchedOutside({1, 1, 5, 5}));
    EXPECT_EQ(at(1, 1), 0x0000FFu);
    EXPECT_EQ(at(2, 2), 0x0000FFu);
    EXPECT_EQ(at(3, 1), 0x00FF00u);
    EXPECT_EQ(at(2, 3), 0xFF0000u);
    EXPECT_EQ(at(4, 4), 0xFFFFFFu);

    surface.fillRect({0, 0, 10, 10}, kSentinel);
    surface.PaintPicture(picture.get(), 8, 8); // own size, clipped at the edge
    EXPECT_EQ(at(9, 9), 0xFFFFFFu);
    EXPECT_TRUE(untouchedOutside({8, 8, 10, 10}));
}

TEST_F(MembersTest, PaintPictureOfNoSizeDrawsNothingAndNoPictureRaises) {
    auto picture = quad();
    for (auto [w, h] : {std::pair{0.0, 4.0}, std::pair{4.0, 0.0}, std::pair{-4.0, 4.0}})
        surface.PaintPicture(picture.get(), 2, 2, w, h);
    EXPECT_TRUE(untouchedOutside({0, 0, 0, 0}));
    try {
        surface.PaintPicture(nullptr, 0, 0);
        FAIL() << "no error";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), err::InvalidPicture);
    }
}

TEST_F(MembersTest, TransparencyIsHonouredOnlyWhenAsked) {
    auto picture = quad();
    picture->setTransparentColor(0xFFFFFF);
    surface.PaintPicture(picture.get(), 0, 0);
    EXPECT_EQ(at(1, 1), 0xFFFFFFu) << "PaintPicture draws opaque";
    surface.fillRect({0, 0, 10, 10}, kSentinel);
    surface.blit(*picture, {0, 0, 2, 2}, true);
    EXPECT_EQ(at(1, 1), kSentinel);
    EXPECT_EQ(at(0, 0), 0x0000FFu);
}

TEST_F(MembersTest, PaintPictureInTwipsConvertsThePositionAndSize) {
    SoftwareSurface twips(gdi, 10, 10, platform::ScaleMode::Twips, 15.0);
    twips.fillRect({0, 0, 10, 10}, kSentinel);
    twips.PaintPicture(quad().get(), 15, 30, 60.0, 30.0);
    EXPECT_EQ(twips.pixelAt(1, 2), 0x0000FFu);
    EXPECT_EQ(twips.pixelAt(4, 3), 0xFFFFFFu);
    EXPECT_EQ(twips.pixelAt(5, 3), kSentinel);
    EXPECT_EQ(twips.pixelAt(1, 4), kSentinel);
}

TEST_F(MembersTest, ResizeKeepsTheTopLeftAndFillsTheRestWithTheBackground) {
    surface.SetBackColor(0x102030);
    surface.resize(12, 4);
    EXPECT_EQ(surface.widthPx(), 12);
    EXPECT_EQ(surface.pixelAt(9, 3), kSentinel);
    EXPECT_EQ(surface.pixelAt(10, 0), 0x102030u);
    EXPECT_EQ(surface.pixelAt(0, 4), 0xFFFFFFFFu);
    surface.resize(-3, 5);
    EXPECT_EQ(surface.widthPx(), 0);
    surface.Cls(); // nothing to clear, nothing to break
}

TEST_F(MembersTest, PngRoundTripKeepsEveryPixel) {
    for (int32_t i = 0; i < 10; ++i)
        surface.fillRect({i, 0, i + 1, 10}, static_cast<uint32_t>(i * 0x1A2B3C) & 0xFFFFFF);
    const std::string path =
        (std::filesystem::temp_directory_path() / "tavrin-surface-roundtrip.png").string();
    std::string error;
    ASSERT_TRUE(writePng(path, surface.widthPx(), surface.heightPx(), surface.pixels(), &error)) << error;
    auto picture = readPng(path, &error);
    std::remove(path.c_str());
    ASSERT_TRUE(picture) << error;
    EXPECT_EQ(picture->width(), 10);
    EXPECT_EQ(picture->height(), 10);
    EXPECT_EQ(picture->pixels(), snapshot());
}

TEST_F(MembersTest, UnreadablePngGivesNoPictureAndAReason) {
    std::string error;
    EXPECT_EQ(readPng("/nonexistent/none.png", &error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(writePng("/nonexistent/dir/out.png", 2, 2, surface.pixels(), &error));
    EXPECT_FALSE(writePng("/tmp/empty.png", 0, 2, surface.pixels(), &error));
}

} // namespace
} // namespace tavrin::software::testing
