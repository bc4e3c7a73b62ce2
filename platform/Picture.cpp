// The picture object: a bitmap with a unique handle, and its automation members.
#include "tavrin/platform/Picture.h"

#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Limits.h"

namespace tavrin::platform {

namespace {

// Handles start well away from 0 so that a handle is never mistaken for "no picture".
int32_t nextHandle() {
    static int32_t counter = 0x00010000;
    TAVRIN_VERIFY(counter < INT32_MAX);
    return counter++;
}

constexpr int16_t kPictureTypeBitmap = 1;

// The host reports picture sizes in HiMetric (hundredths of a millimetre) at 96 pixels per inch.
int32_t toHiMetric(int32_t pixels) {
    return roundToI4(static_cast<double>(pixels) * 2540.0 / 96.0);
}

} // namespace

Picture::Picture(int32_t width, int32_t height, std::vector<uint32_t> pixels)
    : handle_(nextHandle()), width_(width), height_(height), pixels_(std::move(pixels)) {
    TAVRIN_VERIFY(width >= 0 && height >= 0);
    TAVRIN_VERIFY(pixels_.size() == static_cast<size_t>(width) * static_cast<size_t>(height));
}

std::shared_ptr<Picture> Picture::solid(int32_t width, int32_t height, uint32_t rgb) {
    if (width < 0 || height < 0) raise(err::InvalidCall);
    limits::checkPixels(width, height, "a picture");
    std::vector<uint32_t> px(static_cast<size_t>(width) * static_cast<size_t>(height), rgb & 0x00FFFFFFu);
    return std::make_shared<Picture>(width, height, std::move(px));
}

const DispatchTable& Picture::dispatchTable() const {
    static const DispatchTable table = [] {
        DispatchTable t;
        TableBuilder<Picture> b(t);
        b.get("Handle", 0, [](Picture& p, auto&) { return Variant::i4(p.handle()); })
            .get("Type", 3, [](Picture&, auto&) { return Variant::i2(kPictureTypeBitmap); })
            .get("Width", 4, [](Picture& p, auto&) { return Variant::i4(toHiMetric(p.width())); })
            .get("Height", 5, [](Picture& p, auto&) { return Variant::i4(toHiMetric(p.height())); });
        return t;
    }();
    return table;
}

} // namespace tavrin::platform
