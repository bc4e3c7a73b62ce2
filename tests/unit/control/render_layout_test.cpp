// The layout pass: row height, the scroll range, and paints during the pass. (Whole rows, the
// integral height and the placements in both appearances are checked by props_layout.tvs.)
#include "RenderFixture.h"
#include "control/TavrinAccess.h"

namespace tavrin::testing {
namespace {

TEST(RenderLayout, RowsAreNeverShorterThanTheText) {
    ListOnForm l;
    const int16_t text = roundToI2(TavrinAccess::iUC(*l).TextHeight(u"TextHeight"));
    l->SetItemHeightAuto(false);
    l->SetItemHeight(static_cast<int16_t>(text - 3));
    EXPECT_EQ(TavrinAccess::rowHeight(*l), text);
    EXPECT_EQ(l->ItemHeight(), text - 3); // the property keeps what was given
    l->SetItemHeight(static_cast<int16_t>(text + 9));
    EXPECT_EQ(TavrinAccess::rowHeight(*l), text + 9);
    l->SetItemHeightAuto(true);
    EXPECT_EQ(TavrinAccess::rowHeight(*l), text);
}

TEST(RenderLayout, ScrollBarShowsOnlyWhenItemsOutnumberRows) {
    ListOnForm l;
    l.fill(8, 20); // exactly the 8 rows of 160 pixels
    platform::Window& bar = TavrinAccess::sbUCSite(*l).extender();
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(TavrinAccess::sbUC(*l).Max(), 0);
    EXPECT_EQ(l.rowRectRight(), 200);
    l->AddItem(Variant::string("one more"));
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(TavrinAccess::sbUC(*l).Max(), 1);
    EXPECT_EQ(l.rowRectRight(), 200 - bar.Width());
}

TEST(RenderLayout, APaintAskedForDuringTheLayoutPassDrawsNoRows) {
    ListOnForm l(200, 200);
    l.fill(9, 20); // ten rows: no scroll bar yet
    TavrinAccess::iUC(*l).SetBackColor(kRed);
    TavrinAccess::iUC(*l).Cls();
    l.site->resizeClient(200, 160); // the bar shows inside the pass and asks for a repaint
    EXPECT_EQ(l.pixel(100, 10), kRed);
    l.desk.flushPaints(); // the surface's own paint after the move draws the rows
    EXPECT_EQ(l.pixel(100, 10), kWhite);
    EXPECT_EQ(l.field("p_InLayout"), "False");
}

} // namespace
} // namespace tavrin::testing
