// The device-context functions on real GDI: handles, selection, deletion and the live count.
#include <gtest/gtest.h>

#include "platform/win32/Win32Surface.h"

namespace tavrin::win32 {
namespace {

class Win32GdiTest : public ::testing::Test {
  protected:
    Win32Gdi gdi;
    Win32Surface surface{gdi, 20, 10};
    platform::HDC dc() { return surface.hDC(); }
};

TEST_F(Win32GdiTest, SelectedObjectsCannotBeDeletedAndTheCountFollowsDeletion) {
    const platform::HBRUSH brush = gdi.CreateSolidBrush(0x0000FF);
    const platform::HPEN pen = gdi.CreatePen(platform::PS_SOLID, 1, 0xFF0000);
    ASSERT_NE(brush, 0);
    ASSERT_NE(pen, 0);
    EXPECT_EQ(gdi.liveObjects(), 2);
    const platform::HGDIOBJ oldBrush = gdi.SelectObject(dc(), brush);
    EXPECT_NE(oldBrush, 0);
    EXPECT_FALSE(gdi.DeleteObject(brush)); // still selected
    EXPECT_EQ(gdi.SelectObject(dc(), oldBrush), brush);
    EXPECT_TRUE(gdi.DeleteObject(brush));
    EXPECT_FALSE(gdi.DeleteObject(brush)); // gone
    EXPECT_TRUE(gdi.DeleteObject(pen));
    EXPECT_EQ(gdi.liveObjects(), 0);
    EXPECT_FALSE(gdi.DeleteObject(oldBrush)); // the device context's own brush, selected again
    EXPECT_EQ(gdi.liveObjects(), 0);
}

TEST_F(Win32GdiTest, BadHandlesFailAndDrawNothing) {
    const uint32_t before = surface.pixelAt(3, 3);
    EXPECT_EQ(gdi.FillRect(12345, {0, 0, 5, 5}, 0), 0);
    EXPECT_EQ(gdi.FillRect(dc(), {0, 0, 5, 5}, 777), 0);
    EXPECT_EQ(gdi.SelectObject(dc(), 777), 0);
    EXPECT_FALSE(gdi.PatBlt(999, 0, 0, 5, 5, platform::ROP_DPa));
    EXPECT_EQ(surface.pixelAt(3, 3), before);
}

TEST_F(Win32GdiTest, FillAndColoursKeepRedInTheLowByte) {
    const platform::HBRUSH brush = gdi.CreateSolidBrush(0x00336699);
    gdi.FillRect(dc(), {1, 1, 4, 4}, brush);
    gdi.DeleteObject(brush);
    EXPECT_EQ(surface.pixelAt(1, 1), 0x00336699u);
    EXPECT_EQ(surface.pixelAt(4, 4), surface.resolvedBackColor());
    surface.PSet(10, 5, 0x000000FF);
    EXPECT_EQ(surface.Point(10, 5), 0x000000FFu);
    EXPECT_EQ(surface.Point(20, 5), 0xFFFFFFFFu);
}

TEST_F(Win32GdiTest, ResizeKeepsThePixelsAtTheTopLeft) {
    surface.PSet(2, 2, 0x00010203);
    surface.resize(40, 30);
    EXPECT_EQ(surface.pixelAt(2, 2), 0x00010203u);
    EXPECT_EQ(surface.pixelAt(39, 29), surface.resolvedBackColor());
    EXPECT_EQ(surface.ScaleWidth(), 40);
}

TEST_F(Win32GdiTest, TextUsesTheProgramsDejaVuFace) {
    // Without the carried fonts GDI would substitute a face of other widths; DejaVu Sans at 8
    // points (11 pixels) sets "Wide text" in a little over fifty pixels.
    const double width = surface.TextWidth(u"Wide text");
    EXPECT_GT(width, 45);
    EXPECT_LT(width, 62);
    EXPECT_GE(surface.TextHeight(u""), 12);
}

} // namespace
} // namespace tavrin::win32
