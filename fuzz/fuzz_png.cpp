// PNG pictures as files and form values hold them. Oracles: no sanitizer report, memory bounded by
// the pixel limit whatever the header claims, and a picture that decodes encodes and decodes again
// to the same pixels.
#include <cstdint>

#include "platform/software/SoftwareSurface.h"
#include "tavrin/platform/Picture.h"

using namespace tavrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string why;
    auto picture = software::decodePng(data, size, &why);
    if (!picture) return 0;
    const auto png = software::encodePng(picture->width(), picture->height(), picture->pixels().data());
    if (png.empty()) __builtin_trap();
    auto again = software::decodePng(png.data(), png.size(), &why);
    if (!again || again->pixels() != picture->pixels()) __builtin_trap();
    return 0;
}
