// Generated images: a disc in a colour of its own, with a mark of as many white bars as the index
// (up to 5, then a filled square), on the magenta transparent colour.
#include <algorithm>
#include <cmath>

#include "platform/software/SoftwareImageList.h"
#include "tavrin/platform/Picture.h"

namespace tavrin::software {

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint32_t kDiscColors[] = {0x2040E0, 0x20A020, 0xE06020, 0x20C0E0,
                                    0xA030A0, 0x808000, 0x3070F0, 0x606060};

} // namespace

std::shared_ptr<platform::Picture> generatedImage(int32_t w, int32_t h, int32_t index) {
    std::vector<uint32_t> px(static_cast<size_t>(w) * static_cast<size_t>(h), kMagenta);
    uint32_t disc = kDiscColors[static_cast<size_t>(index - 1) % std::size(kDiscColors)];
    double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0, r = std::min(w, h) / 2.0 - 0.5;
    int32_t bars = std::min(index, 5);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            double dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy > r * r) continue;
            // The mark: `bars` vertical white bars across the middle third, or a square past five.
            bool inBand = std::abs(dy) <= r / 3;
            int32_t slot = static_cast<int32_t>((dx + r) / (2 * r) * 11);
            bool mark = inBand && (index > 5 ? std::abs(dx) <= r / 3 : slot % 2 == 1 && slot / 2 < bars);
            px[static_cast<size_t>(y) * w + x] = mark ? 0xFFFFFF : disc;
        }
    }
    auto picture = std::make_shared<platform::Picture>(w, h, std::move(px));
    picture->setTransparentColor(kMagenta);
    return picture;
}

} // namespace tavrin::software
