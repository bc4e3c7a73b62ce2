// Rows kept or moved between repaints must leave exactly the pixels of a full repaint. Two lists
// get the same random run of changes; the second one is made to repaint every row each time (a
// pixel rewritten with its own colour tells the list that its surface has changed), and after each
// step both surfaces must be equal, pixel for pixel. The scroll bar, which leaves its surface alone
// when a draw would stack the same pictures in the same places, is held to the same rule.
#include <random>

#include "RenderFixture.h"

namespace tavrin::testing {
namespace {

class Twins {
  public:
    Twins() {
        for (ListOnForm* f : {&kept_, &fresh_})
            f->fill(0, 20);
    }

    template <class Step> void apply(Step&& step) {
        const uint32_t corner = fresh_.pixel(0, 0);
        fresh_->iUC().PSet(0, 0, corner); // same pixels, but no longer what the list painted
        platform::DrawingSurface& bar = fresh_->sbUCSite().UserControl();
        bar.PSet(0, 0, bar.Point(0, 0));
        for (ListOnForm* f : {&kept_, &fresh_}) {
            try {
                step(**f);
            } catch (const AutomationError&) { // refused alike by both
            }
        }
        kept_.desk.flushPaints();
        fresh_.desk.flushPaints();
    }

    // The first pixel that differs, or an empty string.
    std::string difference() {
        const int32_t w = kept_.scaleWidth(), h = static_cast<int32_t>(kept_->iUC().ScaleHeight());
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                if (kept_.pixel(x, y) != fresh_.pixel(x, y))
                    return "pixel " + std::to_string(x) + "," + std::to_string(y);
        platform::DrawingSurface &keptBar = kept_->sbUCSite().UserControl(),
                                 &freshBar = fresh_->sbUCSite().UserControl();
        const double step = kept_.desk.options().twipsPerPixel;
        for (double y = 0; y < keptBar.ScaleHeight(); y += step)
            for (double x = 0; x < keptBar.ScaleWidth(); x += step)
                if (keptBar.Point(x, y) != freshBar.Point(x, y))
                    return "bar pixel " + std::to_string(x / step) + "," + std::to_string(y / step);
        return {};
    }

  private:
    ListOnForm kept_, fresh_;
};

std::u16string randomText(std::mt19937& random) {
    static const std::u16string words[] = {u"Apple", u"Pear", u"a rather long text that wraps in the row",
                                           u"Item",  u"",     u"Kiwi tart with cream and a spoon"};
    return words[random() % std::size(words)] + u" " + static_cast<char16_t>(u'A' + random() % 3);
}

std::u16string textFrom(uint32_t seed) {
    std::mt19937 random(seed);
    return randomText(random);
}

class RowReuse : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RowReuse, KeptAndMovedRowsEqualAFullRepaint) {
    Twins twins;
    std::mt19937 random(GetParam());
    twins.apply([&](Tavrin& l) {
        for (int i = 0; i < 40; ++i)
            l.AddItem(Variant::string(u"Row " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26))));
    });
    for (int step = 0; step < 400; ++step) {
        const uint32_t choice = random() % 16;
        const uint32_t a = random(), b = random();
        twins.apply([&](Tavrin& l) {
            const int16_t count = l.ListCount();
            const auto any = [&](uint32_t r) { return static_cast<int16_t>(count > 0 ? r % count : 0); };
            switch (choice) {
            case 0:
            case 1:
            case 2:
                if (count > l.visibleRows())
                    l.SetTopIndex(static_cast<int16_t>(a % (count - l.visibleRows() + 1)));
                break;
            case 3:
            case 4:
                if (count > 0) l.SetListIndex(any(a));
                break;
            case 5:
                if (count > 0) l.SetItemSelected(any(a), b % 2 == 0);
                break;
            case 6:
                if (count > 0) l.SetItemText(any(a), textFrom(b));
                break;
            case 7:
                l.SetSelectModeStyle(static_cast<int32_t>(a % 7));
                break;
            case 8:
                l.SetSelectMode(static_cast<int32_t>(a % 2));
                break;
            case 9:
                if (a % 2)
                    l.UserControl_EnterFocus();
                else
                    l.UserControl_ExitFocus();
                break;
            case 10:
                l.SetWordWrap(a % 2 == 0);
                l.SetAlignment(static_cast<int32_t>(b % 3));
                break;
            case 11:
                l.SetFontNormal(a & 0xFFFFFF);
                l.SetBackSelected(b & 0xFFFFFF);
                break;
            case 12:
                if (count < 60) l.InsertItem(any(a), Variant::string(textFrom(b)));
                break;
            case 13:
                if (count > 10) l.RemoveItem(any(a));
                break;
            case 14:
                l.sbUC().SetValue(std::min<double>(l.sbUC().Max(), a % 50 + (b % 2) * 0.5));
                break;
            case 15:
                l.SetBoxOffset(static_cast<int16_t>(a % 4));
                l.SetLeftMargin(static_cast<int16_t>(b % 5));
                break;
            }
        });
        const std::string difference = twins.difference();
        ASSERT_TRUE(difference.empty())
            << "after step " << step << " (change " << choice << "): " << difference;
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, RowReuse, ::testing::Values(20261206u, 7u, 4242u));

} // namespace
} // namespace tavrin::testing

namespace tavrin::testing {
namespace {

// A margin whose row position overflows fails in each row, as always, never out of the repaint.
TEST(RowReuseLooks, AnOverflowingRowLeftFailsOnlyTheRows) {
    ListOnForm f;
    f.fill(5);
    f->SetRequiredField(true);
    EXPECT_NO_THROW(f->SetLeftMargin(32767));
    EXPECT_EQ(f->LeftMargin(), 32767);
    EXPECT_NO_THROW(f->iUC_Paint());
}

} // namespace
} // namespace tavrin::testing
