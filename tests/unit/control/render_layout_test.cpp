// The layout pass: row height, the scroll range, and paints during the pass. (Whole rows, the
// integral height and the placements in both appearances are checked by props_layout.tvs.)
#include "RenderFixture.h"

namespace tavrin::testing {
namespace {

TEST(RenderLayout, RowsAreNeverShorterThanTheText) {
    ListOnForm l;
    const int16_t text = roundToI2(l->iUC().TextHeight(u"TextHeight"));
    l->SetItemHeightAuto(false);
    l->SetItemHeight(static_cast<int16_t>(text - 3));
    EXPECT_EQ(l->rowHeight(), text);
    EXPECT_EQ(l->ItemHeight(), text - 3); // the property keeps what was given
    l->SetItemHeight(static_cast<int16_t>(text + 9));
    EXPECT_EQ(l->rowHeight(), text + 9);
    l->SetItemHeightAuto(true);
    EXPECT_EQ(l->rowHeight(), text);
}

TEST(RenderLayout, ScrollBarShowsOnlyWhenItemsOutnumberRows) {
    ListOnForm l;
    l.fill(8, 20); // exactly the 8 rows of 160 pixels
    platform::Window& bar = l->sbUCSite().extender();
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(l->sbUC().Max(), 0);
    EXPECT_EQ(l.rowRectRight(), 200);
    l->AddItem(Variant::string("one more"));
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(l->sbUC().Max(), 1);
    EXPECT_EQ(l.rowRectRight(), 200 - bar.Width());
}

TEST(RenderLayout, APaintAskedForDuringTheLayoutPassDrawsNoRows) {
    ListOnForm l(200, 200);
    l.fill(9, 20); // ten rows: no scroll bar yet
    l->iUC().SetBackColor(kRed);
    l->iUC().Cls();
    l.site->resizeClient(200, 160); // the bar shows inside the pass and asks for a repaint
    EXPECT_EQ(l.pixel(100, 10), kRed);
    l.desk.flushPaints(); // the surface's own paint after the move draws the rows
    EXPECT_EQ(l.pixel(100, 10), kWhite);
    EXPECT_EQ(l.field("p_InLayout"), "False");
}

} // namespace
} // namespace tavrin::testing
