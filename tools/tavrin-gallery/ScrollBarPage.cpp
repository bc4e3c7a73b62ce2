// The scroll bar page: the three schemes side by side, each as ten real scroll bars on the headless
// desktop, brought into their looks by real mouse messages:
//
//   1-3  normal, thumb at the top, in the middle, at the bottom
//   4-5  up button hot, pressed       6-7  down button hot, pressed
//   8-9  thumb hot, dragged           10   track pressed (paging)
#include <vector>

#include "GalleryPage.h"
#include "platform/software/Desktop.h"
#include "tavrin/XPVScroll.h"

namespace tavrin::gallery {
namespace {

constexpr int32_t kBarW = 17, kBarH = 150, kGap = 6, kMargin = 12, kSchemeGap = 24;
constexpr double kTwipsPerPixel = 15;

enum class Look {
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
constexpr Look kLooks[] = {Look::Top,          Look::Middle,  Look::Bottom,      Look::UpHot,
                           Look::UpPressed,    Look::DownHot, Look::DownPressed, Look::ThumbHot,
                           Look::ThumbDragged, Look::Paging};

double startValue(Look look) {
    if (look == Look::Top) return 0;
    if (look == Look::Bottom) return 100;
    return 50;
}

// Drives the bar into its look with the messages a user's mouse produces.
void drive(software::Desktop& desktop, platform::HWND hwnd, const XPVScroll& bar, Look look) {
    const float thumbMiddle = float((bar.thumbTop() + bar.thumbHeight() / 2) / kTwipsPerPixel);
    const float upY = 8, downY = kBarH - 8, x = kBarW / 2.0f;
    auto moveAndPress = [&](float y, bool press) {
        desktop.mouseMove(hwnd, x, y, 0, 0);
        if (press) desktop.mouseDown(hwnd, platform::vbLeftButton, x, y, 0);
    };
    switch (look) {
    case Look::UpHot:
        moveAndPress(upY, false);
        break;
    case Look::UpPressed:
        moveAndPress(upY, true);
        break;
    case Look::DownHot:
        moveAndPress(downY, false);
        break;
    case Look::DownPressed:
        moveAndPress(downY, true);
        break;
    case Look::ThumbHot:
        moveAndPress(thumbMiddle, false);
        break;
    case Look::ThumbDragged:
        moveAndPress(thumbMiddle, true);
        desktop.mouseMove(hwnd, x, thumbMiddle + 10, platform::vbLeftButton, 0);
        break;
    case Look::Paging:
        moveAndPress(float(bar.thumbTop() / kTwipsPerPixel) - 6, true);
        break;
    default:
        break;
    }
}

std::vector<uint32_t> renderBar(int32_t theme, Look look) {
    software::Desktop desktop({1024, 768, kTwipsPerPixel});
    auto site = desktop.createControlSite(u"XPVScroll", kBarW, kBarH);
    XPVScroll bar(*site);
    platform::PropertyBag bag;
    bag.set("Theme", Variant::i4(theme));
    bag.set("Max", Variant::r8(100));
    bag.set("LargeChange", Variant::r8(20));
    bag.set("Value", Variant::r8(startValue(look)));
    bar.ReadProperties(bag);
    desktop.flushPaints();
    drive(desktop, site->hWnd(), bar, look);
    desktop.flushPaints();
    int32_t w = 0, h = 0;
    std::vector<uint32_t> pixels = desktop.compose(site->hWnd(), false, w, h);
    bar.Terminate();
    if (w != kBarW || h != kBarH) pixels.assign(size_t(kBarW) * kBarH, 0x0000FF); // shows up red
    return pixels;
}

Image render() {
    constexpr int32_t looks = sizeof(kLooks) / sizeof(kLooks[0]);
    constexpr int32_t schemeW = looks * kBarW + (looks - 1) * kGap;
    Image image(2 * kMargin + 3 * schemeW + 2 * kSchemeGap, 2 * kMargin + kBarH, 0xFFFFFF);
    for (int32_t theme = 0; theme < 3; ++theme) {
        const int32_t left = kMargin + theme * (schemeW + kSchemeGap);
        for (int32_t i = 0; i < looks; ++i)
            image.place(renderBar(theme, kLooks[i]), kBarW, kBarH, left + i * (kBarW + kGap), kMargin);
    }
    return image;
}

const bool registered = registerPage({"scrollbar.png", render});

} // namespace
} // namespace tavrin::gallery
