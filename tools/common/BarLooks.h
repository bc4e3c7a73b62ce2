// A scroll bar brought into each of its looks by the messages a user's mouse produces, on its own
// headless desktop: what the gallery shows and the golden pictures hold.
//
//   Top, Middle, Bottom   normal, thumb at the top, in the middle, at the bottom
//   UpHot, UpPressed      the up button under the cursor, pressed
//   DownHot, DownPressed  the down button under the cursor, pressed
//   ThumbHot, ThumbDragged, Paging (the track pressed above the thumb)
#pragma once

#include <vector>

#include "platform/software/Desktop.h"
#include "scrollbar/XPVScrollAccess.h"
#include "tavrin/XPVScroll.h"

namespace tavrin::barlooks {

enum class BarLook {
    Top,
    Middle,
    Bottom,
    UpHot,
    UpPressed,
    DownHot,
    DownPressed,
    ThumbHot,
    ThumbDragged,
    Paging
};
constexpr int32_t kBarLookCount = 10;
constexpr double kTwipsPerPixel = 15;

inline void drive(software::Desktop& desktop, platform::HWND hwnd, const XPVScroll& bar, BarLook look,
                  int32_t width, int32_t height) {
    const float thumbMiddle =
        float(XPVScrollAccess::pieceRect(bar, BarPiece::Thumb).middle() / kTwipsPerPixel);
    const float x = width / 2.0f;
    auto moveAndPress = [&](float y, bool press) {
        desktop.mouseMove(hwnd, x, y, 0, 0);
        if (press) desktop.mouseDown(hwnd, platform::vbLeftButton, x, y, 0);
    };
    switch (look) {
    case BarLook::UpHot:
    case BarLook::UpPressed:
        moveAndPress(8, look == BarLook::UpPressed);
        break;
    case BarLook::DownHot:
    case BarLook::DownPressed:
        moveAndPress(float(height - 8), look == BarLook::DownPressed);
        break;
    case BarLook::ThumbHot:
        moveAndPress(thumbMiddle, false);
        break;
    case BarLook::ThumbDragged:
        moveAndPress(thumbMiddle, true);
        desktop.mouseMove(hwnd, x, thumbMiddle + 10, platform::vbLeftButton, 0);
        break;
    case BarLook::Paging:
        moveAndPress(float(XPVScrollAccess::pieceRect(bar, BarPiece::Thumb).top / kTwipsPerPixel) - 6, true);
        break;
    default:
        break;
    }
}

// The bar's pixels, width x height, in theme `theme` and look `look`; empty when the window did
// not come out that size.
inline std::vector<uint32_t> renderBar(int32_t theme, BarLook look, int32_t width, int32_t height) {
    software::Desktop desktop({1024, 768, kTwipsPerPixel});
    auto site = desktop.createControlSite(u"XPVScroll", width, height);
    XPVScroll bar(*site);
    platform::PropertyBag bag;
    bag.set("Theme", Variant::i4(theme));
    bag.set("Max", Variant::r8(100));
    bag.set("LargeChange", Variant::r8(20));
    bag.set("Value", Variant::r8(look == BarLook::Top ? 0 : look == BarLook::Bottom ? 100 : 50));
    bar.ReadProperties(bag);
    desktop.flushPaints();
    drive(desktop, site->hWnd(), bar, look, width, height);
    desktop.flushPaints();
    int32_t w = 0, h = 0;
    std::vector<uint32_t> pixels = desktop.compose(site->hWnd(), false, w, h);
    bar.Terminate();
    if (w != width || h != height) pixels.clear();
    return pixels;
}

} // namespace tavrin::barlooks
