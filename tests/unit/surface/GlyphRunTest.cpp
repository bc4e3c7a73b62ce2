// Glyph runs must draw exactly what blending each glyph pixel by pixel draws: the same pen
// positions, the same clipping, and every channel (c * a + d * (255 - a)) / 255 rounded to the
// nearest, whatever the background, the colour and the run's offset against the four-pixel steps.
#include <gtest/gtest.h>

#include <random>

#include "platform/software/GlyphRun.h"
#include "tavrin/platform/Font.h"

namespace tavrin::software::testing {
namespace {

uint32_t exactBlend(uint32_t colour, uint32_t dst, uint32_t a) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = (colour >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        const uint32_t x = c * a + d * (255 - a);
        out |= ((x + 127) / 255) << shift; // x / 255 never ends in exactly one half
    }
    return out;
}

TEST(GlyphRun, BlendOfOnePixelIsTheRoundedQuotientForEveryCoverage) {
    std::mt19937 random(7);
    for (uint32_t a = 0; a < 256; ++a)
        for (int i = 0; i < 200; ++i) {
            const uint32_t colour = random() & 0xFFFFFF, dst = random() & 0xFFFFFF;
            ASSERT_EQ(blendCoverage(colour, dst, a), exactBlend(colour, dst, a)) << a;
        }
}

TEST(GlyphRun, DrawnRunEqualsEachGlyphBlendedPixelByPixel) {
    SizedFont& font = SizedFont::of(platform::FontDesc{}, 15.0);
    std::mt19937 random(3);
    // Plain text: one glyph per code point, each blended in the colour (shaped lines and colour
    // glyphs have their own tests).
    const std::u16string texts[] = {u"Item 00042 QuickBrownFox", u"Wg|jy_@ fi",
                                    u"\u00e9t\u00e9 \u00c5ngstr\u00f6m x"};
    for (const std::u16string& text : texts)
        ASSERT_TRUE(drawsUnshaped(font, std::u32string(text.begin(), text.end())));
    constexpr int32_t kW = 61, kH = 23;
    for (int round = 0; round < 60; ++round) {
        const std::u16string& text = texts[static_cast<size_t>(round) % std::size(texts)];
        std::vector<uint32_t> drawn(kW * kH), expected;
        for (uint32_t& px : drawn)
            px = random() & 0xFFFFFF;
        expected = drawn;
        const uint32_t colour = random() & 0xFFFFFF;
        const int32_t x = static_cast<int32_t>(random() % 40) - 20,
                      baseline = 4 + static_cast<int32_t>(random() % 16);
        const platform::RECT clip{static_cast<int32_t>(random() % 8), static_cast<int32_t>(random() % 5),
                                  kW - static_cast<int32_t>(random() % 20),
                                  kH - static_cast<int32_t>(random() % 5)};
        drawGlyphRun({drawn.data(), kW, kH, clip, colour}, cachedRun(font, text), x, baseline);

        GlyphRun run;
        layoutRun(font, text, run);
        for (const PositionedGlyph& placed : run.glyphs) {
            const Glyph& g = *placed.glyph;
            const int32_t left = x + placed.x + g.left, top = baseline - g.top;
            if (x + placed.x >= clip.right) break;
            for (int32_t gy = 0; gy < g.rows; ++gy)
                for (int32_t gx = 0; gx < g.width; ++gx) {
                    const int32_t px = left + gx, py = top + gy;
                    if (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom) continue;
                    const uint32_t a = g.coverage[static_cast<size_t>(gy * g.width + gx)];
                    uint32_t& pixel = expected[static_cast<size_t>(py * kW + px)];
                    if (a != 0) pixel = exactBlend(colour, pixel, a);
                }
        }
        ASSERT_EQ(drawn, expected) << "round " << round;
    }
}

TEST(GlyphRun, LayoutAdvancesByEachGlyphAndKeepsOnlyGlyphsWithPixels) {
    SizedFont& font = SizedFont::of(platform::FontDesc{}, 15.0);
    GlyphRun run;
    layoutRun(font, std::u16string_view(u"a b\tc"), run);
    EXPECT_EQ(run.width, font.width(U"a b\tc"));
    ASSERT_EQ(run.glyphs.size(), 3u); // the space and the tab draw nothing
    EXPECT_EQ(run.glyphs[1].x, font.glyph(U'a').advance + font.glyph(U' ').advance);
    // A surrogate pair is one code point; a lone surrogate is the replacement character.
    GlyphRun pair, lone;
    layoutRun(font, std::u16string_view(u"\U0001F600"), pair);
    layoutRun(font, std::u16string_view(u"\xD83D"), lone);
    EXPECT_EQ(pair.width, shapeLine(font, U"\U0001F600").width);
    EXPECT_EQ(lone.width, shapeLine(font, U"\uFFFD").width);
    EXPECT_NE(pair.width, lone.width);
}

TEST(GlyphRun, CachedRunFollowsTheTextAndTheFont) {
    SizedFont& font = SizedFont::of(platform::FontDesc{}, 15.0);
    platform::FontDesc bigDesc;
    bigDesc.size = 20;
    SizedFont& big = SizedFont::of(bigDesc, 15.0);
    const int32_t shortWidth = cachedRun(font, u"ab").width;
    EXPECT_EQ(cachedRun(font, u"abc").width, font.width(U"abc"));
    EXPECT_EQ(cachedRun(font, u"ab").width, shortWidth);
    EXPECT_EQ(cachedRun(big, u"ab").width, big.width(U"ab"));
    EXPECT_NE(cachedRun(big, u"ab").width, shortWidth);
}

} // namespace
} // namespace tavrin::software::testing
