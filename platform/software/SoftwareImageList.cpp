#include "platform/software/SoftwareImageList.h"

#include <algorithm>
#include <cmath>

#include "platform/software/Desktop.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/platform/Limits.h"

namespace tavrin::software {

namespace {

constexpr int32_t kIndexOutOfBounds = 35600;

} // namespace

SoftwareImageList::SoftwareImageList(Desktop& desktop, int32_t width, int32_t height, int32_t count,
                                     int16_t scaleMode)
    : desktop_(desktop), width_(std::max(1, width)), height_(std::max(1, height)), scaleMode_(scaleMode) {
    // Each image is within the size of a window, and all of them together within its pixels.
    if (count < 0 || count > INT16_MAX) raise(err::InvalidCall);
    platform::limits::checkPixels(width_, height_, "an image");
    if (int64_t{width_} * height_ * count > platform::limits::kMaxPixels)
        throw AutomationError(err::OutOfMemory, "Out of memory: " + std::to_string(count) + " images of " +
                                                    std::to_string(width_) + " x " + std::to_string(height_) +
                                                    " pixels are more than a window system holds");
    for (int32_t i = 1; i <= count; ++i)
        images_.push_back(generatedImage(width_, height_, i));
}

const platform::Picture& SoftwareImageList::image(int32_t index) const {
    if (index < 1 || index > Count()) raise(kIndexOutOfBounds);
    return *images_[static_cast<size_t>(index - 1)];
}

void SoftwareImageList::Draw(int32_t index, platform::HDC dc, double x, double y, int32_t style) {
    const platform::Picture& picture = image(index);
    SoftwareSurface* surface = desktop_.softwareGdi().surfaceOf(dc);
    if (!surface) return;
    auto mode = static_cast<platform::ScaleMode>(scaleMode_);
    int32_t px = static_cast<int32_t>(std::lround(desktop_.ScaleX(x, mode, platform::ScaleMode::Pixels)));
    int32_t py = static_cast<int32_t>(std::lround(desktop_.ScaleY(y, mode, platform::ScaleMode::Pixels)));
    surface->blit(picture, {px, py, px + width_, py + height_}, style == 1);
}

const DispatchTable& SoftwareImageList::dispatchTable() const {
    static const DispatchTable table = [] {
        DispatchTable t;
        TableBuilder<SoftwareImageList>(t)
            .get("ImageHeight", 1, [](SoftwareImageList& l, auto&) { return Variant::r8(l.ImageHeight()); })
            .get("ImageWidth", 2, [](SoftwareImageList& l, auto&) { return Variant::r8(l.ImageWidth()); })
            .get("Count", 3, [](SoftwareImageList& l, auto&) { return Variant::i4(l.Count()); });
        return t;
    }();
    return table;
}

} // namespace tavrin::software
