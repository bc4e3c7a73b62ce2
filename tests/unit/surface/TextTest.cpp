// Text metrics, line breaking, alignment and clipping of DrawText and Print.
#include "SurfaceFixture.h"

#include <array>
#include <random>

#include "platform/software/Text.h"

namespace tavrin::software::testing {
namespace {

using platform::RECT;

class TextTest : public SurfaceTest {
  protected:
    TextTest() : SurfaceTest(120, 60) {}

    int32_t draw(std::u16string_view text, RECT rect, uint32_t format) {
        return gdi.DrawTextA(dc(), text, rect, format);
    }
    // The bounding box of every changed pixel (empty when nothing changed).
    RECT ink() const {
        RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < surface.heightPx(); ++y)
            for (int32_t x = 0; x < surface.widthPx(); ++x)
                if (at(x, y) != kSentinel)
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box.left == INT32_MAX ? RECT{} : box;
    }
    SizedFont& font() { return SizedFont::of(surface.Font(), 15.0); }
};

TEST_F(TextTest, LineHeightOfTheDefaultFontIsThirteenPixels) {
    EXPECT_EQ(surface.TextHeight(u""), 13.0);
    EXPECT_EQ(surface.TextHeight(u"Tall and\r\nlong text"), 13.0);
    SoftwareSurface twips(gdi, 10, 10, platform::ScaleMode::Twips, 15.0);
    EXPECT_EQ(twips.TextHeight(u"x"), 195.0);
    platform::FontDesc big;
    big.size = 16;
    surface.SetFont(big);
    EXPECT_GT(surface.TextHeight(u""), 20.0);
}

TEST_F(TextTest, TextWidthIsTheSumOfAdvances) {
    EXPECT_EQ(surface.TextWidth(u""), 0.0);
    EXPECT_EQ(surface.TextWidth(u"ab"), surface.TextWidth(u"a") + surface.TextWidth(u"b"));
    EXPECT_GT(surface.TextWidth(u"WWW"), surface.TextWidth(u"iii"));
}

TEST_F(TextTest, FontNamesAndWeightsPickTheirFaces) {
    auto widthIn = [&](const char16_t* name, int16_t weight, std::u16string_view text) {
        platform::FontDesc font;
        font.name = name;
        font.weight = weight;
        surface.SetFont(font);
        return surface.TextWidth(text);
    };
    const double sans = widthIn(u"DejaVu Sans", 400, u"Wiggle");
    EXPECT_EQ(widthIn(u"MS Sans Serif", 400, u"Wiggle"), sans);
    EXPECT_EQ(widthIn(u"No Such Face", 400, u"Wiggle"), sans);
    EXPECT_EQ(widthIn(u"dejavu sans mono", 400, u"iiii"), widthIn(u"DejaVu Sans Mono", 400, u"WWWW"));
    EXPECT_NE(widthIn(u"DejaVu Serif", 400, u"Wiggle"), sans);
    EXPECT_GT(widthIn(u"DejaVu Sans", 700, u"Wiggle"), sans) << "a heavy weight is bold";
}

TEST_F(TextTest, SurrogatePairsAreOneCharacterAndLoneHalvesAreReplaced) {
    EXPECT_EQ(decodeUtf16(u"a\U0001F600b"), U"a\U0001F600b");
    const char16_t lone[] = {u'x', 0xD83D, u'y', 0xDE00, 0};
    EXPECT_EQ(decodeUtf16(lone), U"x\uFFFDy\uFFFD");
    EXPECT_GT(font().glyph(U'\U0001F600').advance, 0);
    EXPECT_GT(font().glyph(U'\u4E2D').advance, 0) << "a missing glyph still draws its box";
}

TEST_F(TextTest, WordBreakFillsLinesWordByWord) {
    const std::u32string text = U"one two three";
    const int32_t fits = font().width(U"one two");
    struct Case {
        std::u32string text;
        int32_t width;
        std::vector<std::u32string> lines;
    };
    const Case cases[] = {
        {text, fits, {U"one two", U"three"}},
        {text, fits - 1, {U"one", U"two", U"three"}},
        {text, 1000, {U"one two three"}},
        {U"a Supercalifragilistic b", font().width(U"a b"), {U"a", U"Supercalifragilistic", U"b"}},
        {U"first\r\nsecond\n\nfourth", 1000, {U"first", U"second", U"", U"fourth"}},
        {U"  indented", 1000, {U"  indented"}},
        {U"", 1000, {U""}},
    };
    for (const Case& c : cases) {
        std::vector<std::u32string> lines;
        for (TextLine line : breakLines(font(), c.text, c.width))
            lines.push_back(c.text.substr(line.begin, line.end - line.begin));
        EXPECT_EQ(lines, c.lines) << c.width;
    }
}

// Plain text that fits its line is drawn as one line without breaking: the same pixels as the
// general breaking, which a line feed at the end (an empty last line) forces.
TEST_F(TextTest, ATextThatFitsDrawsAsBrokenTextDoes) {
    std::mt19937 random(5);
    const std::u16string letters = u"il WMm.\u00e9\t ";
    int oneLine = 0;
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        for (size_t k = random() % 14; k > 0; --k)
            text += letters[random() % letters.size()];
        const int32_t left = static_cast<int32_t>(random() % 10);
        const RECT rect{left, 3, left + 20 + static_cast<int32_t>(random() % 90), 57};
        const uint32_t format = platform::DT_WORDBREAK | std::array{platform::DT_LEFT, platform::DT_CENTER,
                                                                    platform::DT_RIGHT}[random() % 3];
        surface.fillRect({0, 0, 120, 60}, kSentinel);
        const int32_t height = draw(text, rect, format);
        const std::vector<uint32_t> fast = snapshot();
        surface.fillRect({0, 0, 120, 60}, kSentinel);
        const int32_t broken = draw(text + u"\n", rect, format);
        ASSERT_EQ(snapshot(), fast) << round;
        const int32_t lineHeight = font().lineHeight();
        ASSERT_EQ(height, broken - lineHeight) << round;
        oneLine += height == lineHeight;
    }
    EXPECT_TRUE(oneLine > 100 && oneLine < 280); // both one-line texts and wrapped ones are drawn
}

TEST_F(TextTest, DrawTextNeverTouchesPixelsOutsideItsRectangle) {
    const std::u16string longText = u"Wide words WWWWWWWWWWWWWWWWWWWWWWWW and jumping glyphs gjpqy";
    for (uint32_t format :
         {platform::DT_SINGLELINE | platform::DT_VCENTER, platform::DT_WORDBREAK,
          platform::DT_WORDBREAK | platform::DT_CENTER, platform::DT_WORDBREAK | platform::DT_RIGHT}) {
        surface.fillRect({0, 0, 120, 60}, kSentinel);
        surface.SetFontUnderline(true);
        draw(longText, {10, 5, 60, 30}, format);
        EXPECT_TRUE(untouchedOutside({10, 5, 60, 30})) << format;
        EXPECT_NE(ink().right, 0) << format;
    }
}

TEST_F(TextTest, RectanglesAsWideAsThirtyTwoBitsAllowStillDraw) {
    for (uint32_t format :
         {platform::DT_SINGLELINE | platform::DT_VCENTER, platform::DT_WORDBREAK | platform::DT_CENTER,
          platform::DT_WORDBREAK | platform::DT_RIGHT}) {
        draw(u"Far away", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, format);
        draw(u"Far away", {INT32_MAX - 5, INT32_MAX - 5, INT32_MAX, INT32_MAX}, format);
    }
    EXPECT_TRUE(untouchedOutside({0, 0, 0, 0})) << "every line lies outside the surface";
}

TEST_F(TextTest, SingleLineIsCentredVerticallyAndReturnsItsBottom) {
    EXPECT_EQ(draw(u"Hxg", {0, 0, 100, 33}, platform::DT_SINGLELINE | platform::DT_VCENTER), 10 + 13);
    const RECT box = ink();
    EXPECT_GE(box.top, 10);
    EXPECT_LE(box.bottom, 23);
    EXPECT_LE(box.left, 1);
}

TEST_F(TextTest, WrappedLinesAreAlignedAndTheHeightCountsEveryLine) {
    const RECT rect{0, 0, 120, 60};
    EXPECT_EQ(draw(u"x\nx\nx", rect, platform::DT_WORDBREAK), 39);
    const int32_t width = font().width(U"Ab");
    struct Case {
        uint32_t align;
        int32_t left;
    };
    for (Case c : {Case{platform::DT_LEFT, 0}, Case{platform::DT_CENTER, (120 - width) / 2},
                   Case{platform::DT_RIGHT, 120 - width}}) {
        surface.fillRect(rect, kSentinel);
        draw(u"Ab", rect, platform::DT_WORDBREAK | c.align);
        const RECT box = ink();
        EXPECT_GE(box.left, c.left) << c.align;
        EXPECT_LE(box.right, c.left + width + 1) << c.align;
    }
}

TEST_F(TextTest, TextUsesTheTextColourAndUnderlineSpansTheText) {
    gdi.SetTextColor(dc(), 0x0000FF);
    surface.SetFontUnderline(true);
    draw(u"Item", {5, 0, 115, 20}, platform::DT_SINGLELINE);
    const int32_t underlineY = font().ascent() + font().underlineOffset();
    const int32_t width = font().width(U"Item");
    for (int32_t x = 5; x < 5 + width; ++x)
        EXPECT_EQ(at(x, underlineY), 0x0000FFu) << x;
    EXPECT_EQ(at(5 + width, underlineY), kSentinel);
    surface.SetFontUnderline(false);
    surface.fillRect({0, 0, 120, 60}, kSentinel);
    draw(u"Item", {5, 0, 115, 20}, platform::DT_SINGLELINE);
    EXPECT_EQ(at(5 + width / 2, underlineY), kSentinel);
}

TEST_F(TextTest, PrintDrawsAtTheCurrentPositionAndMovesALineDown) {
    gdi.SetTextColor(dc(), 0x000000);
    surface.SetCurrentX(30);
    surface.SetCurrentY(20);
    surface.Print(u"TE");
    const RECT box = ink();
    EXPECT_NEAR(box.left, 30, 1); // anti-aliasing may reach one pixel left of the pen
    EXPECT_GE(box.top, 20);
    EXPECT_LE(box.bottom, 33);
    uint32_t darkest = 0xFF;
    for (int32_t x = box.left; x < box.right; ++x)
        for (int32_t y = box.top; y < box.bottom; ++y)
            darkest = std::min(darkest, at(x, y) >> 16);
    EXPECT_LT(darkest, 0x10u) << "the strokes reach the text colour";
    EXPECT_EQ(surface.CurrentX(), 0.0);
    EXPECT_EQ(surface.CurrentY(), 33.0);
}

} // namespace
} // namespace tavrin::software::testing
