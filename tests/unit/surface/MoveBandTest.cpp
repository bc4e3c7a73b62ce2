// Moving a band of rows within the surface, and the revision that tells a painter whether what it
// drew is still there.
#include "SurfaceFixture.h"

namespace tavrin::software::testing {
namespace {

class MoveBandTest : public SurfaceTest {
  protected:
    // Row y of the band [2, 8) x [1, 9) gets colour y; the rest keeps the sentinel.
    MoveBandTest() { paintRows(); }
    void paintRows() {
        surface.fillRect({0, 0, 10, 10}, kSentinel);
        for (int32_t y = 0; y < 10; ++y)
            surface.fillRect({2, y, 8, y + 1}, static_cast<uint32_t>(y + 1));
    }
    // The colour number of each row at column x (0 for the sentinel).
    std::vector<uint32_t> column(int32_t x) const {
        std::vector<uint32_t> rows;
        for (int32_t y = 0; y < 10; ++y)
            rows.push_back(at(x, y) == kSentinel ? 0 : at(x, y));
        return rows;
    }
};

TEST_F(MoveBandTest, MovesUpAndDownOverlappingAndClipped) {
    struct Case {
        platform::RECT band;
        int32_t dy;
        std::vector<uint32_t> expected; // column 4 afterwards
    };
    const Case cases[] = {
        {{2, 3, 8, 7}, -2, {1, 4, 5, 6, 7, 6, 7, 8, 9, 10}}, // up, overlapping itself
        {{2, 3, 8, 7}, 2, {1, 2, 3, 4, 5, 4, 5, 6, 7, 10}},  // down, overlapping itself
        {{2, 0, 8, 4}, -3, {4, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, // rows moved above the top are lost
        {{2, 6, 8, 10}, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 7}},  // and below the bottom
        {{2, -5, 8, 3}, 4, {1, 2, 3, 4, 1, 2, 3, 8, 9, 10}}, // a band partly outside moves what exists
        {{2, 0, 8, 10}, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const Case& c : cases) {
        paintRows();
        ASSERT_TRUE(surface.moveBand(c.band, c.dy));
        EXPECT_EQ(column(4), c.expected) << c.band.top << " by " << c.dy;
        EXPECT_EQ(column(0), std::vector<uint32_t>(10, 0)) << "columns outside the band stay";
    }
}

TEST_F(MoveBandTest, RevisionMovesWithEveryChangeAndOnlyThen) {
    const uint64_t before = surface.contentRevision();
    EXPECT_NE(before, 0u);
    (void)at(3, 3);
    (void)surface.Point(3, 3);
    (void)static_cast<const SoftwareSurface&>(surface).pixels();
    EXPECT_EQ(surface.contentRevision(), before) << "reading changes nothing";

    uint64_t last = before;
    auto changes = [&](const char* what) {
        EXPECT_NE(surface.contentRevision(), last) << what;
        last = surface.contentRevision();
    };
    surface.fillRect({0, 0, 1, 1}, 0x123456);
    changes("fill");
    surface.moveBand({0, 0, 4, 4}, 1);
    changes("move");
    surface.PSet(1, 1, 0xFFFFFF);
    changes("PSet");
    surface.Cls();
    changes("Cls");
    surface.resize(12, 12);
    changes("resize");

    SoftwareGdi otherGdi;
    SoftwareSurface other(otherGdi, 10, 10);
    EXPECT_NE(other.contentRevision(), surface.contentRevision()) << "no two surfaces share a revision";
}

} // namespace
} // namespace tavrin::software::testing
