// A whole-surface repaint (Cls, then pictures) waits until someone looks: whatever reads or draws
// next must see exactly the pixels an immediate repaint would have left.
#include "SurfaceFixture.h"

namespace tavrin::software::testing {
namespace {

using platform::Picture;

class DeferredRepaint : public SurfaceTest {
  protected:
    // The same drawing on a second surface that is read after every step, so nothing is deferred.
    std::vector<uint32_t> drawnEagerly(const std::function<void(SoftwareSurface&)>& draw) {
        SoftwareSurface eager(gdi, surface.widthPx(), surface.heightPx());
        eager.fillRect({0, 0, eager.widthPx(), eager.heightPx()}, kSentinel);
        eager.SetBackColor(surface.BackColor());
        draw(eager);
        return {eager.pixels(), eager.pixels() + eager.widthPx() * eager.heightPx()};
    }
};

TEST_F(DeferredRepaint, ReadsAndLaterDrawingSeeTheRepaintInOrder) {
    auto red = Picture::solid(4, 3, 0x0000FF);
    auto green = Picture::solid(2, 2, 0x00FF00);
    const auto steps = [&](SoftwareSurface& s) {
        s.SetBackColor(0x00C0C0C0);
        s.Cls();
        s.PaintPicture(red.get(), 1, 1);
        s.PaintPicture(green.get(), 2, 2, 6.0, 4.0);
        s.fillRect({0, 0, 3, 1}, 0x123456); // drawn over the repaint, not under it
        s.PSet(9, 9, 0xABCDEF);
    };
    steps(surface);
    EXPECT_EQ(snapshot(), drawnEagerly(steps));
    EXPECT_EQ(at(1, 1), 0x0000FFu);
    EXPECT_EQ(at(7, 5), 0x00FF00u);
    EXPECT_EQ(at(0, 0), 0x123456u);
    EXPECT_EQ(at(0, 9), 0xC0C0C0u);
}

TEST_F(DeferredRepaint, ALaterClsSupersedesAnUnseenRepaintAndPicturesOutliveTheirOwners) {
    surface.SetBackColor(0x00FFFFFF);
    surface.Cls();
    {
        auto dropped = Picture::solid(10, 10, 0x0000FF);
        surface.PaintPicture(dropped.get(), 0, 0);
    } // the owner lets go before anyone looks
    surface.Cls();
    auto blue = Picture::solid(3, 3, 0xFF0000);
    surface.PaintPicture(blue.get(), 5, 5);
    blue.reset();
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(at(6, 6), 0xFF0000u);
    EXPECT_EQ(surface.Point(6, 6), 0xFF0000u);
}

TEST_F(DeferredRepaint, ResizeKeepsTheRepaintedPixels) {
    auto red = Picture::solid(10, 10, 0x0000FF);
    surface.Cls();
    surface.PaintPicture(red.get(), 0, 0);
    surface.resize(12, 12);
    EXPECT_EQ(at(9, 9), 0x0000FFu);
    EXPECT_EQ(at(11, 11), surface.resolvedBackColor());
}

} // namespace
} // namespace tavrin::software::testing
