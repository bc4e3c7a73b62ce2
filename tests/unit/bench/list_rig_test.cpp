// The benchmark's list must be the one it claims to time: the asked size and look, and a click on
// the down button that travels as a real click (press and release) and scrolls by one row only.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bench/ItemTexts.h"
#include "bench/ListRig.h"
#include "control/TavrinAccess.h"

namespace tavrin::bench {
namespace {

constexpr int kFew = 200;

class ListRigTest : public testing::Test {
  protected:
    void SetUp() override {
        texts_ = makeTexts(kFew);
        rig_.add(toVariants(texts_));
        rig_.desktop().flushPaints();
    }
    Tavrin& list() { return rig_.list(); }

    std::vector<std::string> texts_;
    ListRig rig_;
};

TEST_F(ListRigTest, ListHasTheClientSizeAndLookOfTheComparison) {
    EXPECT_EQ(list().Appearance(), AppearanceCts::Appearance3D);
    EXPECT_EQ(list().ListCount(), kFew);
    EXPECT_GT(TavrinAccess::rowHeight(list()), 0);
    // The asked height fixes the rows in view; the control then trims itself to whole rows.
    EXPECT_EQ(TavrinAccess::visibleRows(list()), ListRig::kClientHeight / TavrinAccess::rowHeight(list()));
    int32_t w = 0, h = 0;
    std::vector<uint32_t> pixels = rig_.pixels(w, h);
    EXPECT_GE(w, ListRig::kClientWidth);
    EXPECT_GE(h, TavrinAccess::visibleRows(list()) * TavrinAccess::rowHeight(list()));
    EXPECT_EQ(pixels.size(), static_cast<size_t>(w) * static_cast<size_t>(h));
}

TEST_F(ListRigTest, AddKeepsTheGivenOrder) {
    ListRig rig;
    std::vector<int> order = {2, 0, 1};
    rig.add(toVariants(texts_), order);
    ASSERT_EQ(rig.list().ListCount(), 3);
    for (int16_t i = 0; i < 3; ++i)
        EXPECT_EQ(rig.list().ItemText(i), widen(texts_[static_cast<size_t>(order[static_cast<size_t>(i)])]));
}

TEST_F(ListRigTest, EachDownButtonClickScrollsByExactlyOneRow) {
    list().SetListIndex(2);
    for (int16_t step = 1; step <= 40; ++step) { // quick clicks at one spot also make double clicks
        rig_.clickDownButton();
        ASSERT_EQ(list().TopIndex(), step);
    }
    EXPECT_EQ(list().ListIndex(), 2);
    EXPECT_EQ(list().SelectedCount(), 1);
}

TEST_F(ListRigTest, EachTrackClickBelowTheThumbPagesDownAndMatchesAFullRepaint) {
    list().SetListIndex(2);
    const int16_t page = TavrinAccess::visibleRows(list());
    EXPECT_EQ(TavrinAccess::sbUC(list()).LargeChange(), 1); // refused while the range was empty
    rig_.relayout();
    ASSERT_EQ(TavrinAccess::sbUC(list()).LargeChange(), page);
    for (int16_t step = 1; step * page <= kFew - page && rig_.roomBelowThumb(); ++step) {
        rig_.clickTrackBelowThumb();
        ASSERT_EQ(list().TopIndex(), step * page);
        ASSERT_TRUE(rig_.equalsFullRepaint()) << "step " << step;
    }
    EXPECT_GE(list().TopIndex(), 3 * page);
    EXPECT_EQ(list().ListIndex(), 2);
    EXPECT_EQ(rig_.desktop().captureWindow(), 0);
}

TEST_F(ListRigTest, AFullRepaintCheckSeesAStalePixel) {
    TavrinAccess::iUC(list()).PSet(3, 3, ~TavrinAccess::iUC(list()).Point(3, 3) & 0xFFFFFF);
    EXPECT_FALSE(rig_.equalsFullRepaint());
    EXPECT_TRUE(rig_.equalsFullRepaint());
}

TEST_F(ListRigTest, ClickReleasesTheButtonSoNothingRepeatsLater) {
    rig_.clickDownButton();
    EXPECT_EQ(rig_.desktop().captureWindow(), 0);
    rig_.desktop().wait(2000); // a held button would repeat after 500 ms
    EXPECT_EQ(list().TopIndex(), 1);
}

TEST_F(ListRigTest, WorkloadsLeaveNoBrushOrPenBehind) {
    list().SetListIndex(2);
    TavrinAccess::iUC_Paint(list());
    rig_.clickDownButton();
    list().SetSelectMode(SelectModeCts::Multiple);
    TavrinAccess::optSelectionMenu_Click(list(), 1);
    TavrinAccess::optSelectionMenu_Click(list(), 0);
    EXPECT_EQ(list().SelectedCount(), kFew);
    EXPECT_EQ(rig_.desktop().gdiObjects(), 0);
}

TEST_F(ListRigTest, SnapshotWritesAPng) {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "tavrin_bench_rig_snapshot.png";
    std::string error;
    ASSERT_TRUE(rig_.snapshot(path.string(), &error)) << error;
    std::ifstream in(path, std::ios::binary);
    char signature[4] = {};
    in.read(signature, 4);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    std::filesystem::remove(path);
}

} // namespace
} // namespace tavrin::bench
