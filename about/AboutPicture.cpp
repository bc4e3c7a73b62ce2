// The about box's background, drawn in code: a banner with a picture of the list itself (rows, one
// of them selected, and a slim scroll bar), a thin rule, and a pale field below for the labels.
#include "about/AboutPicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tavrin::about {

namespace {

constexpr int32_t kBannerHeight = 100;

uint32_t rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16;
}

// The colour a share t (0..1) of the way from a to b, channel by channel.
uint32_t mix(uint32_t a, uint32_t b, double t) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= static_cast<uint32_t>(ca + (cb - ca) * t + 0.5) << shift;
    }
    return out;
}

// Coordinates are those of the picture at scale 1; each is multiplied by the scale and rounded, so
// that edges stay on whole pixels at every scale.
class Canvas {
  public:
    explicit Canvas(double scale)
        : scale_(scale), width_(device(kPictureWidth)), height_(device(kPictureHeight)),
          pixels_(static_cast<size_t>(width_) * height_) {}

    void fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
        fillDevice(device(left), device(top), device(right), device(bottom), colour);
    }
    // A band whose colour runs from `from` at its top to `to` at its bottom.
    void verticalBlend(int32_t top, int32_t bottom, uint32_t from, uint32_t to) {
        const int32_t t = device(top), b = device(bottom);
        for (int32_t y = t; y < b; ++y)
            fillDevice(0, y, width_, y + 1, mix(from, to, static_cast<double>(y - t) / (b - t)));
    }
    void frame(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
        fill(left, top, right, top + 1, colour);
        fill(left, bottom - 1, right, bottom, colour);
        fill(left, top, left + 1, bottom, colour);
        fill(right - 1, top, right, bottom, colour);
    }
    std::shared_ptr<platform::Picture> take() {
        return std::make_shared<platform::Picture>(width_, height_, std::move(pixels_));
    }

  private:
    int32_t device(int32_t v) const { return static_cast<int32_t>(std::lround(v * scale_)); }
    void fillDevice(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
        for (int32_t y = std::max(top, 0); y < std::min(bottom, height_); ++y)
            for (int32_t x = std::max(left, 0); x < std::min(right, width_); ++x)
                pixels_[static_cast<size_t>(y) * width_ + x] = colour;
    }

    double scale_;
    int32_t width_, height_;
    std::vector<uint32_t> pixels_;
};

// A small list box in the banner: four rows of text strokes, the second one selected, and a scroll
// bar with its thumb.
void drawListGlyph(Canvas& c) {
    const int32_t left = 24, top = 18, right = 112, bottom = 84, rowHeight = 15;
    const uint32_t white = rgb(255, 255, 255), ink = rgb(96, 104, 120), highlight = rgb(49, 106, 197);
    c.fill(left, top, right, bottom, white);
    c.frame(left, top, right, bottom, rgb(127, 157, 185));
    for (int32_t row = 0; row < 4; ++row) {
        const int32_t y = top + 3 + row * rowHeight;
        const bool selected = row == 1;
        if (selected) c.fill(left + 2, y, right - 14, y + rowHeight - 1, highlight);
        c.fill(left + 7, y + 6, left + 7 + 30 + (row * 13) % 27, y + 8, selected ? white : ink);
    }
    c.fill(right - 12, top + 2, right - 2, bottom - 2, rgb(232, 238, 250));
    c.fill(right - 11, top + 18, right - 3, top + 40, rgb(186, 207, 246));
    c.frame(right - 11, top + 18, right - 3, top + 40, rgb(120, 150, 210));
}

} // namespace

std::shared_ptr<platform::Picture> backgroundPicture(double scale) {
    Canvas c(scale > 0 && scale <= 8 ? scale : 1.0);
    c.verticalBlend(0, kBannerHeight, rgb(31, 72, 160), rgb(92, 142, 222));
    c.fill(0, kBannerHeight, kPictureWidth, kBannerHeight + 2, rgb(235, 170, 60));
    c.verticalBlend(kBannerHeight + 2, kPictureHeight, rgb(250, 251, 253), rgb(221, 229, 240));
    drawListGlyph(c);
    return c.take();
}

} // namespace tavrin::about
