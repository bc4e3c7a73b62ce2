// Painting: each selection style at points no text reaches, images, the text's left edge, rows out
// of view, the focus rectangle, and that no brush or pen outlives a paint. (The design-time preview
// and the required-field mark are checked by the paint_* scenarios.)
#include "RenderFixture.h"
#include "control/TavrinAccess.h"
#include "platform/software/SoftwareImageList.h"

namespace tavrin::testing {
namespace {

constexpr int32_t kRow1Mid = 30; // rows of 20 pixels: row 1 spans 20..39

int32_t count(ListOnForm& l, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t rgb) {
    int32_t n = 0;
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x)
            n += l.pixel(x, y) == rgb ? 1 : 0;
    return n;
}

uint64_t checksum(ListOnForm& l) {
    uint64_t sum = 0;
    for (int32_t y = 0; y < 160; ++y)
        for (int32_t x = 0; x < 200; ++x)
            sum = sum * 31 + l.pixel(x, y);
    return sum;
}

bool near(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((actual >> shift) & 0xFF),
                  e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) return false;
    }
    return true;
}

// Four items, item 1 current and selected, in plain colours.
void prepare(ListOnForm& l, SelectModeStyleCts style) {
    l.fill(4, 20);
    l->SetBackNormal(kWhite);
    l->SetBackSelected(kRed);
    l->SetBackSelectedG1(kRed);
    l->SetBackSelectedG2(kBlue);
    l->SetBoxBorder(kBlack);
    l->SetSelectModeStyle(style);
    l->SetListIndex(1);
}

TEST(RenderPaint, EachStylePaintsTheSelectedRowToItsRightEnd) {
    struct Probe {
        int32_t x, y;
        uint32_t rgb;
    };
    struct Case {
        SelectModeStyleCts style;
        std::vector<Probe> probes;
    } cases[] = {
        {SelectModeStyleCts::Standard, {{197, kRow1Mid, kRed}, {199, 20, kRed}, {199, 39, kRed}}},
        {SelectModeStyleCts::Dither, {{197, kRow1Mid, kRed}}}, // white AND red
        {SelectModeStyleCts::Gradient_V, {{197, 20, kRed}, {197, 39, 0xF2000C}}},
        {SelectModeStyleCts::Gradient_H, {{2, kRow1Mid, kRed}, {199, kRow1Mid, 0xFE0001}}},
        {SelectModeStyleCts::Box,
         {{199, kRow1Mid, kWhite},
          {198, kRow1Mid, kBlack},
          {197, kRow1Mid, kRed},
          {150, 20, kWhite},
          {150, 21, kBlack},
          {150, 38, kBlack},
          {150, 39, kWhite}}},
        {SelectModeStyleCts::Underline, {{197, kRow1Mid, kWhite}}},
        {SelectModeStyleCts::byPicture, {{197, kRow1Mid, kRed}}}, // no picture: like Standard
    };
    for (const Case& c : cases) {
        ListOnForm l;
        prepare(l, c.style);
        for (const Probe& p : c.probes)
            EXPECT_TRUE(near(l.pixel(p.x, p.y), p.rgb, 6))
                << "style " << static_cast<int32_t>(c.style) << " at " << p.x << "," << p.y << ": "
                << std::hex << l.pixel(p.x, p.y);
        EXPECT_EQ(l.pixel(197, 50), kWhite) << "unselected row, style " << static_cast<int32_t>(c.style);
        EXPECT_EQ(l.desk.gdiObjects(), 0) << "style " << static_cast<int32_t>(c.style);
    }
}

TEST(RenderPaint, UnderlineStyleLeavesTheSurfaceUnderlinedUntilTheNextRow) {
    ListOnForm l;
    prepare(l, SelectModeStyleCts::Underline);
    TavrinAccess::DrawItem(*l, 1);
    EXPECT_TRUE(TavrinAccess::iUC(*l).FontUnderline());
    TavrinAccess::DrawItem(*l, 2);
    EXPECT_FALSE(TavrinAccess::iUC(*l).FontUnderline());
}

TEST(RenderPaint, SelectionPictureIsStretchedOverTheRow) {
    ListOnForm l;
    prepare(l, SelectModeStyleCts::byPicture);
    l->SetSelectionPicture(platform::Picture::solid(4, 4, kGreen));
    EXPECT_EQ(l.pixel(2, 20), kGreen);
    EXPECT_EQ(l.pixel(199, 39), kGreen);
    EXPECT_EQ(l.pixel(199, 40), kWhite);
}

TEST(RenderPaint, UnknownStylePaintsNoBackground) {
    ListOnForm l;
    prepare(l, SelectModeStyleCts::Standard);
    l->SetSelectModeStyle(static_cast<SelectModeStyleCts>(9));
    EXPECT_EQ(l.pixel(197, kRow1Mid), kRed); // what Standard left there
    l->SetBackSelected(kGreen);
    EXPECT_EQ(l.pixel(197, kRow1Mid), kRed);
}

TEST(RenderPaint, RowStartsAtLeftMarginAndTextAtItemTextLeft) {
    for (bool required : {false, true}) {
        ListOnForm l;
        l->SetRequiredField(required); // no mark before the stored properties are read
        l->SetItemTextLeft(100);
        prepare(l, SelectModeStyleCts::Standard);
        const int32_t left = required ? 8 : 2;
        EXPECT_NE(l.pixel(left - 1, kRow1Mid), kRed) << required;
        EXPECT_EQ(count(l, left, 20, left + 100, 40, kRed), 100 * 20) << required; // no text before it
        EXPECT_GT(count(l, left + 100, 20, 180, 40, kWhite), 0) << required;       // FontSelected text
    }
}

TEST(RenderPaint, RowsOutsideTheViewDrawNothing) {
    ListOnForm l;
    l.fill(20, 20);      // 8 rows in view
    l->SetListIndex(12); // scrolls: rows 5..12 in view
    const uint64_t before = checksum(l);
    for (int16_t index : {0, 4, 13, 19})
        TavrinAccess::DrawItem(*l, index);
    EXPECT_EQ(checksum(l), before);
}

TEST(RenderPaint, ImagesLandAtTheSamePixelsWhateverTheParentsScaleMode) {
    for (bool wrapped : {false, true}) {
        uint64_t sums[2];
        for (int16_t mode : {int16_t{1}, int16_t{3}}) {
            ListOnForm l;
            l.fill(0, 20);
            l->SetWordWrap(wrapped);
            auto images = std::make_shared<software::SoftwareImageList>(l.desk, 16, 16, 4, mode);
            l->SetImageList(Variant::object(images));
            l->AddItem(Variant::string(""), 1, 2);
            l->AddItem(Variant::string("no image"), 0, 0); // index 0 is no entry: nothing drawn, no error
            const int32_t top = wrapped ? 0 : 2;           // at the row's top, or centred in it
            EXPECT_GT(count(l, 2, top + 1, 18, top + 2, 0x2040E0), 0) << mode;   // the disc's top
            EXPECT_GT(count(l, 2, top + 14, 18, top + 15, 0x2040E0), 0) << mode; // ... and bottom
            EXPECT_EQ(count(l, 0, 0, 200, top + 1, 0x2040E0) + count(l, 0, top + 15, 200, 40, 0x2040E0), 0)
                << mode;
            sums[mode == 1 ? 0 : 1] = checksum(l);
        }
        EXPECT_EQ(sums[0], sums[1]);
    }
}

TEST(RenderPaint, DitherCombinesImageAndBackgroundButNotText) {
    ListOnForm l;
    l.fill(0, 20);
    l->SetBackSelected(kRed);
    l->SetSelectModeStyle(SelectModeStyleCts::Dither);
    l->SetImageList(Variant::object(std::make_shared<software::SoftwareImageList>(l.desk, 16, 16, 4, 3)));
    l->AddItem(Variant::string(""), 2, 1);
    l->SetListIndex(0);
    EXPECT_EQ(count(l, 2, 2, 18, 18, 0x2040E0), 0);
    EXPECT_GT(count(l, 2, 2, 18, 18, 0x2040E0 & kRed), 0);
    EXPECT_EQ(l.pixel(197, 10), kRed);
    EXPECT_EQ(l.desk.gdiObjects(), 0);
}

TEST(RenderPaint, FocusRectangleFollowsFocusAndIsRemovedByRepaintingItsRow) {
    ListOnForm l;
    prepare(l, SelectModeStyleCts::Standard);
    const uint64_t plain = checksum(l);
    l.desk.focusWindow(TavrinAccess::iUC(*l).hWnd());
    EXPECT_NE(checksum(l), plain);
    EXPECT_LT(count(l, 2, 20, 200, 21, kRed), 198); // dotted top edge of row 1
    TavrinAccess::DrawFocus(*l, 1);
    EXPECT_EQ(checksum(l), plain); // drawn twice: gone
    TavrinAccess::DrawFocus(*l, 1);
    l->SetFocus(false);
    EXPECT_EQ(checksum(l), plain);
    TavrinAccess::DrawFocus(*l, 1);
    EXPECT_EQ(checksum(l), plain);
    l->SetFocus(true);
    l->SetListIndex(-1);
    EXPECT_EQ(count(l, 2, 0, 200, 80, kRed), 0); // nothing selected, nothing framed
}

// A colour let resolves only its own copy; the other copies keep the system colour of their moment
// until the colours are resolved as a whole.
TEST(RenderColours, ALetResolvesOnlyItsOwnCopy) {
    ListOnForm l;
    l.desk.setSysColor(13, 0x123456);
    l->SetBackSelected(0x8000000D);
    EXPECT_EQ(l.field("p_BackSelectedRGB"), std::to_string(0x123456));
    EXPECT_EQ(l.field("p_GradientFrom"), "12544 27136 50432"); // still the highlight of 0xC56A31
    TavrinAccess::ResolveColors(*l);
    EXPECT_EQ(l.field("p_GradientFrom"), "22016 13312 4608");
}

// ResolveColors works in a fixed order, so a gradient colour that does not fit stops it there: the
// colours before it are resolved, those after it keep their old values.
TEST(RenderColours, AnOversizedGradientColourStopsResolvingAtItsPlace) {
    ListOnForm l;
    l.desk.setSysColor(5, 0x010203);
    l.desk.setSysColor(8, 0x040506);
    EXPECT_THROW(l->SetBackSelectedG2(0x7FFFFFFF), AutomationError);
    EXPECT_EQ(l->BackSelectedG2(), 0x7FFFFFFFu); // kept, but not resolved
    EXPECT_TRUE(l.changed.empty());
    try {
        TavrinAccess::ResolveColors(*l);
        FAIL() << "no error";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_EQ(l.field("p_BackNormalRGB"), std::to_string(0x010203));
    EXPECT_EQ(l.field("p_GradientFrom"), "12544 27136 50432");
    EXPECT_EQ(l.field("p_FontNormalRGB"), "0"); // window text was black when last resolved
}

} // namespace
} // namespace tavrin::testing
