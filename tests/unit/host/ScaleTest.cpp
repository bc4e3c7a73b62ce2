// Screens of other densities: the store's pictures and the about box's background are drawn anew
// at the screen's scale (not stretched), and fonts take twice the pixels at scale 2.
#include <gtest/gtest.h>

#include <cmath>

#include "about/AboutPicture.h"
#include "platform/software/Desktop.h"
#include "platform/software/ThemePictures.h"

namespace tavrin::software::testing {
namespace {

// The picture stretched by 2 with each pixel doubled: what a blurry or blocky host would show.
std::vector<uint32_t> doubled(const PictureBits& bits) {
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < 2 * bits.height; ++y)
        for (int32_t x = 0; x < 2 * bits.width; ++x)
            out.push_back(bits.pixels[static_cast<size_t>(y / 2) * bits.width + x / 2]);
    return out;
}

TEST(Scale, TheStoresPicturesAreDrawnAtTheScreensScale) {
    struct Case {
        const char16_t* key;
        int32_t width, height; // at scale 1
    };
    for (Case c : {Case{u"VS_UP(0)", 17, 17}, Case{u"VS_DOWNHOT(1)", 17, 17}, Case{u"VS_BAR(2)", 17, 8},
                   Case{u"VS_TOP(0)", 17, 3}, Case{u"VS_GRIPBAR(1)", 7, 8}, Case{u"REQUIREDFIELD", 5, 5}}) {
        SCOPED_TRACE(std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key)));
        const auto one = drawStorePicture(c.key, 1.0), two = drawStorePicture(c.key, 2.0),
                   oneAndAHalf = drawStorePicture(c.key, 1.5);
        ASSERT_TRUE(one && two && oneAndAHalf);
        EXPECT_EQ(one->width, c.width);
        EXPECT_EQ(one->height, c.height);
        EXPECT_EQ(two->width, 2 * c.width);
        EXPECT_EQ(two->height, 2 * c.height);
        EXPECT_EQ(oneAndAHalf->width, static_cast<int32_t>(std::lround(1.5 * c.width)));
        EXPECT_EQ(drawStorePicture(c.key)->pixels, one->pixels) << "scale 1 is the picture as it always was";
    }
}

TEST(Scale, CurvesAreDrawnAtTheDevicesResolutionAndLinesStayCrisp) {
    const PictureBits one = *drawStorePicture(u"VS_UP(0)", 1.0), two = *drawStorePicture(u"VS_UP(0)", 2.0);
    EXPECT_NE(two.pixels, doubled(one)) << "the rounded corners are not a stretched picture";
    // The arrow's tip is one design pixel: at scale 2 a block of 2 x 2 device pixels of the arrow's
    // own colour, with no blend around it.
    const uint32_t arrow = one.pixels[6 * 17 + 8];
    for (int32_t y = 12; y < 14; ++y)
        for (int32_t x = 16; x < 18; ++x)
            EXPECT_EQ(two.pixels[static_cast<size_t>(y) * 34 + x], arrow) << x << "," << y;
    // The required-field mark keeps its two reds, its long side drawn at the finer steps.
    const PictureBits mark = *drawStorePicture(u"REQUIREDFIELD", 2.0);
    EXPECT_EQ(mark.pixels[0], 0x1010D8u);
    EXPECT_EQ(mark.pixels[9], 0x6060E8u) << "the end of the top row is the light edge";
    EXPECT_EQ(mark.pixels[10 * 10 - 1], 0xFFFFFFu) << "the far corner lies outside";
}

TEST(Scale, TheAboutBoxBackgroundFollowsTheScale) {
    const auto one = about::backgroundPicture(1.0), two = about::backgroundPicture(2.0);
    EXPECT_EQ(one->width(), about::kPictureWidth);
    EXPECT_EQ(two->width(), 2 * about::kPictureWidth);
    EXPECT_EQ(two->height(), 2 * about::kPictureHeight);
    EXPECT_EQ(two->pixel(2 * 30, 2 * 30), one->pixel(30, 30)) << "the same picture";
    EXPECT_EQ(about::backgroundPicture(0)->width(), about::kPictureWidth) << "no scale: scale 1";
}

TEST(Scale, ADesktopAtScaleTwoHasHalfTheTwipsPerPixelAndTwiceTheFontPixels) {
    Desktop one, two(DesktopOptions::atScale(2));
    EXPECT_EQ(two.options().twipsPerPixel, 7.5);
    EXPECT_EQ(two.options().screenWidthPx, 2048);
    EXPECT_EQ(two.screen().Width(), one.screen().Width()) << "the screen is as many twips wide";
    SoftwareSurface small(one.softwareGdi(), 10, 10, platform::ScaleMode::Pixels, 15);
    SoftwareSurface large(two.softwareGdi(), 10, 10, platform::ScaleMode::Pixels, 7.5);
    EXPECT_EQ(large.TextHeight(u"TextHeight"), 2 * small.TextHeight(u"TextHeight"));
    EXPECT_NEAR(large.TextWidth(u"TextHeight"), 2 * small.TextWidth(u"TextHeight"), 4);
    EXPECT_EQ(two.pictureStore().GetPicture(u"VS_UP(0)")->width(), 34);
    EXPECT_EQ(one.pictureStore().GetPicture(u"VS_UP(0)")->width(), 17);
}

} // namespace
} // namespace tavrin::software::testing
