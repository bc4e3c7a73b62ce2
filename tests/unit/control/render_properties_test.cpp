// The configuring properties: defaults of a new control, what each assignment reports and does,
// and the colour conversions behind them.
#include <cmath>
#include <functional>

#include "RenderFixture.h"
#include "control/TavrinAccess.h"

namespace tavrin::testing {
namespace {

int32_t errorOf(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const AutomationError& e) {
        return e.number();
    }
    return 0;
}

TEST(RenderColours, ColorToVertexSpreadsBgrDigitsIntoChannels) {
    struct Case {
        uint32_t rgb;
        Vertex expected;
    } cases[] = {
        {0x00C08040, {0x4000, 0x8000, 0xC000}},
        {0x00000000, {0, 0, 0}},
        {0x00FFFFFF, {0xFF00, 0xFF00, 0xFF00}},
        {0x000000FF, {0xFF00, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TavrinAccess::ColorToVertex(c.rgb), c.expected) << std::hex << c.rgb;
    for (uint32_t tooWide : {0x01000000u, 0x7FFFFFFFu, 0x8000000Du})
        EXPECT_EQ(errorOf([&] { TavrinAccess::ColorToVertex(tooWide); }), err::InvalidCall)
            << std::hex << tooWide;
}

TEST(RenderColours, SystemColourReferencesResolveThroughTheHostTable) {
    ListOnForm l;
    EXPECT_EQ(TavrinAccess::TranslateColor(*l, 0x8000000D), l.desk.sysColor(13));
    EXPECT_EQ(TavrinAccess::TranslateColor(*l, 0x80000005), 0xFFFFFFu);
    EXPECT_EQ(TavrinAccess::TranslateColor(*l, 0x00C08040), 0x00C08040u);
    EXPECT_EQ(l.field("p_GradientFrom"),
              "12544 27136 50432"); // highlight 0xC56A31: 0x31, 0x6A, 0xC5 times 256
}

TEST(RenderColours, TooWideGradientColourIsStoredThenRejected) {
    ListOnForm l;
    EXPECT_EQ(errorOf([&] { l->SetBackSelectedG1(0x01000000); }), err::InvalidCall);
    EXPECT_EQ(l->BackSelectedG1(), 0x01000000u);
    EXPECT_TRUE(l.changed.empty()); // the error comes before PropertyChanged
    EXPECT_EQ(l.field("p_GradientFrom"), "12544 27136 50432");
}

TEST(RenderColours, ResolvedCopiesKeepTheSystemColourOfTheirMoment) {
    ListOnForm l;
    l.fill(3);
    l->SetListIndex(0);
    l.desk.setSysColor(13, kGreen);
    TavrinAccess::PaintRows(*l);
    EXPECT_EQ(l.pixel(l.scaleWidth() - 2, 10), 0xC56A31u);
    l->SetBackSelected(0x8000000D); // resolved again now
    EXPECT_EQ(l.pixel(l.scaleWidth() - 2, 10), kGreen);
}

TEST(RenderProperties, NewControlHasTheDefaults) {
    ListOnForm l;
    Tavrin& t = *l;
    EXPECT_EQ(t.Alignment(), AlignmentCts::AlignLeft);
    EXPECT_EQ(t.Appearance(), AppearanceCts::Appearance3D);
    EXPECT_EQ(l.site->UserControl().BorderStyle(), static_cast<int16_t>(BorderStyleCts::BorderFixedSingle));
    EXPECT_EQ(t.BackNormal(), 0x80000005u);
    EXPECT_EQ(t.BackSelected(), 0x8000000Du);
    EXPECT_EQ(t.BackSelectedG1(), 0x8000000Du);
    EXPECT_EQ(t.BackSelectedG2(), 0x80000005u);
    EXPECT_EQ(t.BorderColor(), 0x8000000Fu);
    EXPECT_EQ(t.BorderWidth(), 3);
    EXPECT_EQ(t.BoxBorder(), 0x8000000Eu);
    EXPECT_EQ(t.BoxOffset(), 1);
    EXPECT_EQ(t.BoxRadius(), 0);
    EXPECT_TRUE(t.Enabled());
    EXPECT_EQ(t.LeftMargin(), 2);
    EXPECT_FALSE(t.RequiredField());
    EXPECT_EQ(t.Theme(), ctsListThemes::XPBlue);
    EXPECT_TRUE(t.Focus());
    EXPECT_EQ(t.FontNormal(), 0x80000008u);
    EXPECT_EQ(t.FontSelected(), 0x8000000Eu);
    EXPECT_FALSE(t.HoverSelection());
    EXPECT_FALSE(t.GotFocusEffect());
    EXPECT_EQ(t.GotFocusEffectColor(), 0u);
    EXPECT_EQ(t.ItemHeight(), roundToI2(TavrinAccess::iUC(t).TextHeight(u"TextHeight")));
    EXPECT_TRUE(t.ItemHeightAuto());
    EXPECT_EQ(t.ItemOffset(), 0);
    EXPECT_EQ(t.ItemTextLeft(), 2);
    EXPECT_EQ(t.OrderType(), OrderTypeCts::Ascendent);
    EXPECT_EQ(t.SelectionPicture(), nullptr);
    EXPECT_EQ(t.SelectModeStyle(), SelectModeStyleCts::Standard);
    EXPECT_FALSE(t.ShowMenu());
    EXPECT_TRUE(t.WordWrap());
    EXPECT_EQ(t.Font()->desc(), l.site->AmbientFont()->desc()); // the font the container hands out
}

TEST(RenderProperties, EachAssignmentReportsItsOwnNameOnce) {
    ListOnForm l;
    Tavrin& t = *l;
    const std::pair<const char*, std::function<void()>> lets[] = {
        {"Alignment", [&] { t.SetAlignment(AlignmentCts::AlignRight); }},
        {"Appearance", [&] { t.SetAppearance(AppearanceCts::Flat); }},
        {"BackNormal", [&] { t.SetBackNormal(kWhite); }},
        {"BackSelected", [&] { t.SetBackSelected(kRed); }},
        {"BackSelectedG1", [&] { t.SetBackSelectedG1(kRed); }},
        {"BackSelectedG2", [&] { t.SetBackSelectedG2(kBlue); }},
        {"BorderColor", [&] { t.SetBorderColor(kGreen); }},
        {"BorderWidth", [&] { t.SetBorderWidth(2); }},
        {"BoxBorder", [&] { t.SetBoxBorder(kBlack); }},
        {"BoxOffset", [&] { t.SetBoxOffset(2); }},
        {"BoxRadius", [&] { t.SetBoxRadius(4); }},
        {"Enabled", [&] { t.SetEnabled(true); }},
        {"LeftMargin", [&] { t.SetLeftMargin(4); }},
        {"RequiredField", [&] { t.SetRequiredField(true); }},
        {"Theme", [&] { t.SetTheme(ctsListThemes::XPOlive); }},
        {"Focus", [&] { t.SetFocus(false); }},
        {"Font", [&] { t.SetFont(std::make_shared<platform::StdFont>()); }},
        {"FontNormal", [&] { t.SetFontNormal(kBlack); }},
        {"FontSelected", [&] { t.SetFontSelected(kWhite); }},
        {"HoverSelection", [&] { t.SetHoverSelection(true); }},
        {"GotFocusEffect", [&] { t.SetGotFocusEffect(true); }},
        {"GotFocusEffectColor", [&] { t.SetGotFocusEffectColor(0x8000000D); }},
        {"ItemHeight", [&] { t.SetItemHeight(30); }},
        {"ItemHeightAuto", [&] { t.SetItemHeightAuto(false); }},
        {"ItemOffset", [&] { t.SetItemOffset(99); }}, // rejected, reported all the same
        {"ItemTextLeft", [&] { t.SetItemTextLeft(20); }},
        {"MousePointer", [&] { t.SetMousePointer(2); }},
        {"MouseIcon", [&] { t.SetMouseIcon(platform::Picture::solid(4, 4, kRed)); }},
        {"OrderType", [&] { t.SetOrderType(OrderTypeCts::Descendent); }},
        {"SelectionPicture", [&] { t.SetSelectionPicture(platform::Picture::solid(4, 4, kRed)); }},
        {"SelectModeStyle", [&] { t.SetSelectModeStyle(SelectModeStyleCts::Box); }},
        {"ShowMenu", [&] { t.SetShowMenu(true); }},
        {"WordWrap", [&] { t.SetWordWrap(false); }},
    };
    for (const auto& [name, let] : lets) {
        l.changed.clear();
        let();
        EXPECT_EQ(l.changed, std::vector<std::string>{name});
    }
    EXPECT_EQ(t.GotFocusEffectColor(), 0x8000000Du); // untranslated
    EXPECT_EQ(TavrinAccess::sbUC(t).Theme(), static_cast<int32_t>(ctsListThemes::XPOlive));
    EXPECT_EQ(t.MousePointer(), 2);
}

TEST(RenderProperties, OffsetsAreKeptSilentlyWhenTheyWouldNotFitTheRow) {
    ListOnForm l;
    l.fill(0, 21); // half a row is 10.5
    l->SetBoxOffset(10);
    l->SetBoxOffset(11);
    EXPECT_EQ(l->BoxOffset(), 10);
    l->SetItemOffset(21);
    l->SetItemOffset(22);
    EXPECT_EQ(l->ItemOffset(), 21);
    EXPECT_EQ(l.changed, (std::vector<std::string>{"BoxOffset", "BoxOffset", "ItemOffset", "ItemOffset"}));
}

TEST(RenderProperties, FontSetCopiesSixAttributesIntoTheControlsOwnObject) {
    ListOnForm l;
    const auto own = l->Font();
    auto given = std::make_shared<platform::StdFont>();
    given->SetName(u"DejaVu Serif");
    given->SetSize(14);
    given->SetItalic(true);
    given->SetStrikethrough(true);
    given->SetWeight(900);
    given->SetCharset(2);
    const int16_t rowsBefore = TavrinAccess::rowHeight(*l);
    l->SetFont(given);
    EXPECT_EQ(l->Font(), own);
    EXPECT_EQ(own->Name(), u"DejaVu Serif");
    EXPECT_EQ(own->Size(), 14);
    EXPECT_TRUE(own->Bold()); // weight 900 reads as bold, and bold is copied
    EXPECT_EQ(own->Weight(), 700);
    EXPECT_TRUE(own->Italic());
    EXPECT_TRUE(own->Strikethrough());
    EXPECT_EQ(own->Charset(), 0);
    EXPECT_EQ(TavrinAccess::iUC(*l).Font().name, u"DejaVu Serif");
    EXPECT_GT(TavrinAccess::rowHeight(*l), rowsBefore); // re-laid out for the larger font
    EXPECT_EQ(errorOf([&] { l->SetFont(nullptr); }), err::ObjectNotSet);
}

TEST(RenderProperties, ChangingTheReturnedFontObjectRelaysOut) {
    ListOnForm l;
    l->Font()->SetSize(20);
    EXPECT_EQ(TavrinAccess::rowHeight(*l), roundToI2(TavrinAccess::iUC(*l).TextHeight(u"TextHeight")));
    EXPECT_GT(TavrinAccess::rowHeight(*l), 25);
    l->Font()->SetBold(true);
    EXPECT_TRUE(TavrinAccess::iUC(*l).Font().bold);
    EXPECT_TRUE(l.changed.empty()); // the notification is no property assignment
}

} // namespace
} // namespace tavrin::testing
