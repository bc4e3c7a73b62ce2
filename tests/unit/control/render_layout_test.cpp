// The layout pass: row height, visible rows, integral height, placement of the drawing surface and
// the scroll bar in both appearances, and the scroll range.
#include "RenderFixture.h"

namespace tavrin::testing {
namespace {

struct Box {
    double left, top, width, height;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << ")";
}

Box boxOf(const platform::Window& w) { return {w.Left(), w.Top(), w.Width(), w.Height()}; }

TEST(RenderLayout, ClientHeightBecomesWholeRows) {
    struct Case {
        int32_t clientHeight;
        int16_t rows;
    } cases[] = {{160, 8}, {150, 7}, {59, 2}, {40, 2}, {19, 0}};
    for (const Case& c : cases) {
        ListOnForm l;
        l.fill(0, 20);
        const double outerBefore = l.site->UserControl().Height();
        const double frameTwips = outerBefore - l.site->UserControl().ScaleHeight() * 15;
        l.site->resizeClient(200, c.clientHeight);
        EXPECT_EQ(l->visibleRows(), c.rows) << c.clientHeight;
        EXPECT_EQ(l.site->UserControl().ScaleHeight(), c.rows * 20) << c.clientHeight;
        EXPECT_EQ(l.site->UserControl().Height(), c.rows * 20 * 15 + frameTwips) << c.clientHeight;
    }
}

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

TEST(RenderLayout, Placement3DUsesTheWholeClientArea) {
    ListOnForm l;
    l.fill(20, 20);
    l.site->resizeClient(200, 160);
    const double barWidth = l->sbUCSite().extender().Width();
    EXPECT_EQ(barWidth, 17); // 255 twips at 15 twips per pixel
    EXPECT_EQ(boxOf(l->iUC()), (Box{0, 0, 200 - barWidth, 160}));
    EXPECT_EQ(boxOf(l->sbUCSite().extender()), (Box{200 - barWidth, 0, barWidth, 160}));
    EXPECT_TRUE(l->sbUCSite().extender().Visible());
}

TEST(RenderLayout, PlacementFlatInsetsByBorderWidth) {
    ListOnForm l;
    l.fill(20, 20);
    l->SetAppearance(Flat);
    l->SetBorderWidth(4); // Flat: refresh and re-layout at once
    const double barWidth = l->sbUCSite().extender().Width();
    const double height = l.site->UserControl().ScaleHeight();
    EXPECT_EQ(boxOf(l->iUC()), (Box{4, 4, 200 - barWidth - 8, height - 8}));
    EXPECT_EQ(boxOf(l->sbUCSite().extender()), (Box{200 - barWidth - 4, 4, barWidth, height - 8}));
    EXPECT_EQ(l.rowRectRight(), 200 - barWidth - 8);
}

TEST(RenderLayout, BorderWidthIn3DWaitsForTheNextFlatLayout) {
    ListOnForm l;
    l.fill(3, 20);
    l->SetBorderWidth(10);
    EXPECT_EQ(boxOf(l->iUC()), (Box{0, 0, 200, 160}));
    l->SetAppearance(Flat); // no layout pass of its own
    EXPECT_EQ(boxOf(l->iUC()), (Box{0, 0, 200, 160}));
    l.site->resizeClient(200, 160);
    EXPECT_EQ(boxOf(l->iUC()), (Box{10, 10, 180, 140}));
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
