// One page of the gallery: a named picture of some controls in their looks, drawn on its own
// headless desktop. Each page lives in its own file and registers itself with the list below.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tavrin::software {
class Desktop;
class SoftwareSurface;
} // namespace tavrin::software

namespace tavrin::gallery {

struct Image {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0x00BBGGRR

    Image() = default;
    Image(int32_t w, int32_t h, uint32_t background)
        : width(w), height(h), pixels(size_t(w) * h, background) {}
    // Copies w x h pixels at (x, y), clipped to this image.
    void place(const std::vector<uint32_t>& src, int32_t w, int32_t h, int32_t x, int32_t y);
};

struct Page {
    std::string fileName; // e.g. "scrollbar.png"
    std::function<Image()> render;
};

// Every page of the gallery, in the order written.
std::vector<Page>& pages();

// Registers a page at start-up: `static const bool registered = registerPage({...});`
bool registerPage(Page page);

// Prints text on a page's canvas at (x, y) in the canvas's units, in the default face at `size`
// points, `rgb` ink (0x00BBGGRR).
void printText(software::SoftwareSurface& canvas, software::Desktop& desk, const std::u16string& text,
               double x, double y, uint32_t rgb, double size, bool bold);

} // namespace tavrin::gallery
