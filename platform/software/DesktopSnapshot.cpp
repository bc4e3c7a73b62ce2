// Pictures of windows: a window's surface with its frame and, when asked, its shown children on
// top in z-order (picture box, then child controls such as the scroll bar, then the text box),
// each clipped to its parent's client area.
#include <algorithm>

#include "platform/software/Desktop.h"

namespace tavrin::software {

namespace {

struct Canvas {
    std::vector<uint32_t>& pixels;
    int32_t width, height;

    void fill(const platform::RECT& r, const platform::RECT& clip, uint32_t rgb) {
        int32_t l = std::max({r.left, clip.left, 0}), t = std::max({r.top, clip.top, 0});
        int32_t rr = std::min({r.right, clip.right, width}), b = std::min({r.bottom, clip.bottom, height});
        for (int32_t y = t; y < b; ++y)
            std::fill_n(pixels.begin() + static_cast<ptrdiff_t>(y) * width + l, std::max(0, rr - l), rgb);
    }
};

platform::RECT intersect(const platform::RECT& a, const platform::RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// The 2-pixel sunken frame: shadow over dark shadow at the top and left, highlight over light at
// the bottom and right.
void drawSunkenFrame(Canvas& c, const platform::RECT& r, const platform::RECT& clip, const Desktop& d) {
    uint32_t shadow = d.sysColor(16), highlight = d.sysColor(20), dark = d.sysColor(21),
             light = d.sysColor(22);
    for (int32_t i = 0; i < 2; ++i) {
        platform::RECT ring{r.left + i, r.top + i, r.right - i, r.bottom - i};
        uint32_t topLeft = i == 0 ? shadow : dark, bottomRight = i == 0 ? highlight : light;
        c.fill({ring.left, ring.bottom - 1, ring.right, ring.bottom}, clip, bottomRight);
        c.fill({ring.right - 1, ring.top, ring.right, ring.bottom}, clip, bottomRight);
        c.fill({ring.left, ring.top, ring.right - 1, ring.top + 1}, clip, topLeft);
        c.fill({ring.left, ring.top, ring.left + 1, ring.bottom - 1}, clip, topLeft);
    }
}

void composeInto(DesktopWindow& w, Canvas& c, int32_t x, int32_t y, const platform::RECT& clip,
                 bool withChildren, const Desktop& d) {
    platform::RECT outer{x, y, x + w.width(), y + w.height()};
    if (w.frame() > 0) drawSunkenFrame(c, outer, clip, d);
    int32_t cx = x + w.frame(), cy = y + w.frame();
    SoftwareSurface& s = w.surface();
    platform::RECT clientClip = intersect(clip, {cx, cy, cx + w.clientWidth(), cy + w.clientHeight()});
    for (int32_t sy = 0; sy < s.heightPx(); ++sy)
        for (int32_t sx = 0; sx < s.widthPx(); ++sx)
            if (platform::PtInRect(clientClip, {cx + sx, cy + sy}) && cx + sx >= 0 && cy + sy >= 0 &&
                cx + sx < c.width && cy + sy < c.height)
                c.pixels[static_cast<size_t>(cy + sy) * c.width + (cx + sx)] = s.pixelAt(sx, sy);
    if (!withChildren) return;
    for (DesktopWindow* child : w.children())
        if (child->visible())
            composeInto(*child, c, cx + child->left(), cy + child->top(), clientClip, true, d);
}

} // namespace

std::vector<uint32_t> Desktop::compose(platform::HWND hwnd, bool withChildren, int32_t& width,
                                       int32_t& height) {
    DesktopWindow* w = window(hwnd);
    width = w ? w->width() : 0;
    height = w ? w->height() : 0;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    if (!w) return pixels;
    Canvas canvas{pixels, width, height};
    composeInto(*w, canvas, 0, 0, {0, 0, width, height}, withChildren, *this);
    return pixels;
}

bool Desktop::snapshot(platform::HWND hwnd, bool withChildren, const std::string& path, std::string* error) {
    if (!window(hwnd)) {
        if (error) *error = "no such window";
        return false;
    }
    int32_t w = 0, h = 0;
    std::vector<uint32_t> pixels = compose(hwnd, withChildren, w, h);
    if (w == 0 || h == 0) {
        if (error) *error = "the window has no area";
        return false;
    }
    return writePng(path, w, h, pixels.data(), error);
}

} // namespace tavrin::software
