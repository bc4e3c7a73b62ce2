// The scroll bar page: the three schemes side by side, each as ten real scroll bars on the headless
// desktop, brought into their looks by real mouse messages:
//
//   1-3  normal, thumb at the top, in the middle, at the bottom
//   4-5  up button hot, pressed       6-7  down button hot, pressed
//   8-9  thumb hot, dragged           10   track pressed (paging)
#include <vector>

#include "GalleryPage.h"
#include "tools/common/BarLooks.h"

namespace tavrin::gallery {
namespace {

using barlooks::BarLook;
constexpr int32_t kBarW = 17, kBarH = 150, kGap = 6, kMargin = 12, kSchemeGap = 24;

std::vector<uint32_t> renderBar(int32_t theme, BarLook look) {
    std::vector<uint32_t> pixels = barlooks::renderBar(theme, look, kBarW, kBarH);
    if (pixels.empty()) pixels.assign(size_t(kBarW) * kBarH, 0x0000FF); // shows up red
    return pixels;
}

Image render() {
    constexpr int32_t looks = barlooks::kBarLookCount;
    constexpr int32_t schemeW = looks * kBarW + (looks - 1) * kGap;
    Image image(2 * kMargin + 3 * schemeW + 2 * kSchemeGap, 2 * kMargin + kBarH, 0xFFFFFF);
    for (int32_t theme = 0; theme < 3; ++theme) {
        const int32_t left = kMargin + theme * (schemeW + kSchemeGap);
        for (int32_t i = 0; i < looks; ++i)
            image.place(renderBar(theme, static_cast<BarLook>(i)), kBarW, kBarH, left + i * (kBarW + kGap),
                        kMargin);
    }
    return image;
}

const bool registered = registerPage({"scrollbar.png", render});

} // namespace
} // namespace tavrin::gallery
