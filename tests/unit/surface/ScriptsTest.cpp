// Text in every script, checked on pixels: no character draws as the missing-glyph box,
// right-to-left text runs right to left, Arabic letters join, wrapped CJK lines fill their width,
// and lines break where a reader of the script allows. A case whose fonts are not installed is
// skipped and says which characters no font has.
#include <fontconfig/fontconfig.h>

#include "SurfaceFixture.h"

#include "platform/software/GlyphRun.h"
#include "platform/software/Text.h"

namespace tavrin::software::testing {
namespace {

using platform::RECT;

constexpr uint32_t kWhite = 0xFFFFFF;

// The characters of text that no installed font has (marks and joiners need no font of their own).
std::u32string uncovered(std::u32string_view text) {
    std::u32string missing;
    FcConfig* config = FcInitLoadConfigAndFonts();
    for (char32_t c : text) {
        if (c < 0x80 || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F)) continue;
        FcPattern* pattern = FcPatternCreate();
        FcCharSet* set = FcCharSetCreate();
        FcCharSetAddChar(set, c);
        FcPatternAddCharSet(pattern, FC_CHARSET, set);
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
        FcFontSet* fonts = FcFontList(config, pattern, objects);
        if (!fonts || fonts->nfont == 0) missing += c;
        if (fonts) FcFontSetDestroy(fonts);
        FcObjectSetDestroy(objects);
        FcCharSetDestroy(set);
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return missing;
}

#define SKIP_WITHOUT_FONTS_FOR(text)                                                                         \
    if (const std::u32string missing = uncovered(text); !missing.empty())                                    \
    GTEST_SKIP() << "no installed font has " << missing.size()                                               \
                 << " of its characters (scripts/install-deps.sh "                                           \
                 << "installs the Noto fonts)"

class ScriptsTest : public SurfaceTest {
  protected:
    ScriptsTest() : SurfaceTest(kWidth, kHeight) { clear(); }
    static constexpr int32_t kWidth = 320, kHeight = 120;

    void clear() { surface.fillRect({0, 0, kWidth, kHeight}, kWhite); }
    int32_t draw(std::u16string_view text, RECT rect, uint32_t format) {
        return gdi.DrawTextA(dc(), text, rect, format);
    }
    SizedFont& font() { return SizedFont::of(surface.Font(), 15.0); }

    // Where the pixels of box (in a surface drawn like this one) appear exactly, with white around.
    int countBoxes(const std::vector<uint32_t>& box, RECT boxInk) const {
        int found = 0;
        const int32_t w = boxInk.right - boxInk.left, h = boxInk.bottom - boxInk.top;
        for (int32_t y = 1; y + h < kHeight; ++y)
            for (int32_t x = 1; x + w < kWidth; ++x) {
                bool same = true;
                for (int32_t dy = -1; dy <= h && same; ++dy)
                    for (int32_t dx = -1; dx <= w && same; ++dx) {
                        const bool inside = dx >= 0 && dy >= 0 && dx < w && dy < h;
                        const uint32_t want =
                            inside ? box[static_cast<size_t>(boxInk.top + dy) * kWidth + boxInk.left + dx]
                                   : kWhite;
                        same = at(x + dx, y + dy) == want;
                    }
                found += same ? 1 : 0;
            }
        return found;
    }
    RECT inkOf() const {
        RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x)
                if (at(x, y) != kWhite)
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box.left == INT32_MAX ? RECT{} : box;
    }
    bool hasColour() const {
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) {
                const uint32_t p = at(x, y);
                if ((p & 0xFF) != ((p >> 8) & 0xFF) || (p & 0xFF) != ((p >> 16) & 0xFF)) return true;
            }
        return false;
    }
};

struct Sample {
    const char* script;
    std::u16string text;
};

const Sample kSamples[] = {
    {"Chinese", u"北京市朝阳区"},
    {"Japanese", u"東京都のさくら"},
    {"Korean", u"서울특별시 한강"},
    {"Arabic", u"مرحبا بالعالم"},
    {"Hebrew", u"שלום עולם"},
    {"Hindi", u"नमस्ते दुनिया"},
    {"Thai", u"สวัสดีครับ"},
    {"Emoji", u"Party \U0001F389 \U0001F600 \u2764\uFE0F"},
    {"Mixed", u"Report 2024 \u2013 \u6771\u4EAC / \u05E9\u05DC\u05D5\u05DD / \u0645\u0631\u062D\u0628\u0627"},
};

TEST_F(ScriptsTest, NoCharacterOfAnyScriptDrawsAsTheMissingGlyphBox) {
    // The box itself: a character that no font has.
    draw(u"\u0378", {10, 10, 300, 40}, platform::DT_SINGLELINE | platform::DT_VCENTER);
    const RECT boxInk = inkOf();
    ASSERT_GT(boxInk.right - boxInk.left, 2) << "the box draws";
    const std::vector<uint32_t> box = snapshot();
    EXPECT_EQ(countBoxes(box, boxInk), 1) << "the box is found where it stands";

    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.script);
        const std::u32string chars = decodeUtf16(sample.text);
        if (!uncovered(chars).empty()) {
            std::cout << "[  SKIPPED ] " << sample.script << ": no installed font has its characters\n";
            continue;
        }
        for (uint32_t format : {platform::DT_SINGLELINE | platform::DT_VCENTER, platform::DT_WORDBREAK}) {
            clear();
            draw(sample.text, {4, 4, kWidth - 4, kHeight - 4}, format);
            EXPECT_NE(inkOf().right, 0) << "the text draws";
            EXPECT_EQ(countBoxes(box, boxInk), 0) << "no box among the glyphs";
        }
        for (const PositionedGlyph& placed : shapeLine(font(), chars).glyphs)
            EXPECT_TRUE(placed.glyph->found) << "every glyph comes from a face that has it";
    }
}

TEST_F(ScriptsTest, EmojiDrawInColour) {
    SKIP_WITHOUT_FONTS_FOR(U"\U0001F600");
    gdi.SetTextColor(dc(), 0); // text in black: every grey pixel could be the text's
    draw(u"\U0001F600", {4, 4, 100, 40}, platform::DT_SINGLELINE | platform::DT_VCENTER);
    EXPECT_TRUE(hasColour());
    const RECT ink = inkOf();
    EXPECT_GE(ink.bottom - ink.top, 8) << "as tall as a letter";
    EXPECT_LE(ink.bottom - ink.top, 20);
}

// Drawn as one text, the letters of a right-to-left word stand in the reverse order of their
// drawing one by one from the left.
TEST_F(ScriptsTest, RightToLeftTextRunsRightToLeft) {
    struct Case {
        const char* script;
        std::u16string first, second; // letters that do not join
    };
    for (const Case& c : {Case{"Hebrew", u"\u05D0", u"\u05D1"}, Case{"Arabic", u"\u0627", u"\u062F"}}) {
        SCOPED_TRACE(c.script);
        const uint32_t format = platform::DT_SINGLELINE;
        draw(c.first + c.second, {0, 0, 100, 30}, format);
        const std::vector<uint32_t> whole = snapshot();
        auto pair = [&](const std::u16string& left, const std::u16string& right) {
            clear();
            draw(left, {0, 0, 100, 30}, format);
            draw(right, {static_cast<int32_t>(surface.TextWidth(left)), 0, 100, 30}, format);
            return snapshot();
        };
        EXPECT_EQ(whole, pair(c.second, c.first)) << "the first letter stands at the right";
        EXPECT_NE(whole, pair(c.first, c.second));
        clear();
    }
    // In a left-to-right paragraph, a right-to-left word keeps its place among the others.
    const std::u32string mixed = U"ab \u05D0\u05D1 cd";
    const GlyphRun line = shapeLine(font(), mixed);
    auto indexOf = [&](std::u32string_view letter) {
        const Glyph* glyph = shapeLine(font(), letter).glyphs.at(0).glyph;
        for (size_t i = 0; i < line.glyphs.size(); ++i)
            if (line.glyphs[i].glyph == glyph) return i;
        return line.glyphs.size();
    };
    const size_t bet = indexOf(U"\u05D1"), alef = indexOf(U"\u05D0");
    ASSERT_LT(alef, line.glyphs.size());
    EXPECT_EQ(bet + 1, alef) << "bet stands just left of alef";
    for (size_t i = 1; i < line.glyphs.size(); ++i)
        EXPECT_GT(line.glyphs[i].x, line.glyphs[i - 1].x);
}

TEST_F(ScriptsTest, ArabicLettersJoin) {
    const std::u16string beh = u"\u0628";
    draw(beh + beh, {0, 0, 100, 30}, platform::DT_SINGLELINE);
    const std::vector<uint32_t> joined = snapshot();
    clear();
    draw(beh, {0, 0, 100, 30}, platform::DT_SINGLELINE);
    draw(beh, {static_cast<int32_t>(surface.TextWidth(beh)), 0, 100, 30}, platform::DT_SINGLELINE);
    EXPECT_NE(joined, snapshot()) << "two joined letters are not two letters standing alone";
    EXPECT_LT(surface.TextWidth(beh + beh), 2 * surface.TextWidth(beh));
}

TEST_F(ScriptsTest, WrappedCjkLinesFillTheirWidth) {
    const std::u16string text =
        u"東京都千代田区丸の内一丁目九番二号東京駅前の大きな通りを北へ歩いて皇居の広場まで行きます";
    SKIP_WITHOUT_FONTS_FOR(decodeUtf16(text));
    platform::FontDesc big;
    big.size = 12;
    surface.SetFont(big);
    const RECT rect{0, 0, 150, kHeight};
    const int32_t height = draw(text, rect, platform::DT_WORDBREAK);
    const auto lines = breakLines(SizedFont::of(big, 15.0), decodeUtf16(text), 150);
    ASSERT_GE(lines.size(), 3u) << "the text does not fit one line";
    const int32_t lineHeight = height / static_cast<int32_t>(lines.size());
    EXPECT_EQ(lineHeight * static_cast<int32_t>(lines.size()), height)
        << "lines of one face are of one height";
    const int32_t em = static_cast<int32_t>(surface.TextWidth(u"東"));
    for (size_t i = 0; i + 1 < lines.size() && (static_cast<int32_t>(i) + 1) * lineHeight <= kHeight; ++i) {
        int32_t right = 0;
        for (int32_t y = static_cast<int32_t>(i) * lineHeight; y < static_cast<int32_t>(i + 1) * lineHeight;
             ++y)
            for (int32_t x = 0; x < kWidth; ++x)
                if (at(x, y) != kWhite) right = std::max(right, x + 1);
        EXPECT_GT(right, rect.right - em - 2) << "line " << i << " ends within a character of the edge";
        EXPECT_LE(right, rect.right);
    }
}

TEST_F(ScriptsTest, LinesBreakWhereReadersOfTheScriptAllow) {
    auto startsOfLines = [](std::u32string_view text) {
        std::vector<size_t> starts;
        const std::vector<bool> allowed = lineBreakOpportunities(text);
        for (size_t i = 0; i < allowed.size(); ++i)
            if (allowed[i]) starts.push_back(i);
        return starts;
    };
    EXPECT_EQ(startsOfLines(U"one two"), (std::vector<size_t>{4}));
    EXPECT_EQ(startsOfLines(U"中文字"), (std::vector<size_t>{1, 2})) << "between ideographs";
    EXPECT_EQ(startsOfLines(U"「東京」です"), (std::vector<size_t>{2, 4, 5}))
        << "neither after an opening bracket nor before a closing one";
    const std::vector<size_t> url = startsOfLines(U"example.org/files/report");
    EXPECT_NE(std::find(url.begin(), url.end(), 12), url.end()) << "after the slash";
    EXPECT_EQ(std::find(url.begin(), url.end(), 8), url.end()) << "not after the dot of a name";
    // A path wider than the line breaks after a slash instead of being cut.
    const std::u32string path = U"example.org/files/reports";
    std::vector<std::u32string> lines;
    for (TextLine line : breakLines(font(), path, font().width(U"example.org/files/")))
        lines.push_back(path.substr(line.begin, line.end - line.begin));
    EXPECT_EQ(lines, (std::vector<std::u32string>{U"example.org/files/", U"reports"}));
    // Thai words, found with the dictionary: ภาษา|ไทย|ง่าย
    EXPECT_EQ(startsOfLines(U"ภาษาไทยง่าย"), (std::vector<size_t>{4, 7}));
}

TEST_F(ScriptsTest, TextOfOtherScriptsMeasuresAsItDraws) {
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.script);
        clear();
        draw(sample.text, {0, 0, kWidth, kHeight}, platform::DT_SINGLELINE);
        const RECT ink = inkOf();
        const auto width = static_cast<int32_t>(surface.TextWidth(sample.text));
        EXPECT_LE(ink.right, width + 3) << "ink ends near the advance";
        EXPECT_GE(ink.right, width - 4);
        EXPECT_GE(surface.TextHeight(sample.text), surface.TextHeight(u"x"));
    }
}

} // namespace
} // namespace tavrin::software::testing
