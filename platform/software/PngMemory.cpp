// PNG data in memory, as form files keep pictures (RGB, 8 bits per channel).
//
// libpng's simplified interface does the work; it reports failures in its image record instead of
// jumping out of our frames.
#include <png.h>

#include <cstring>

#include "platform/software/SoftwareSurface.h"
#include "tavrin/platform/Limits.h"
#include "tavrin/platform/Picture.h"

namespace tavrin::software {

namespace {

using platform::limits::fitsPixels;

std::vector<uint8_t> toRgbBytes(int32_t width, int32_t height, const uint32_t* pixels) {
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<uint8_t> rgb(count * 3);
    for (size_t i = 0; i < count; ++i) {
        rgb[i * 3] = static_cast<uint8_t>(pixels[i] & 0xFF);
        rgb[i * 3 + 1] = static_cast<uint8_t>((pixels[i] >> 8) & 0xFF);
        rgb[i * 3 + 2] = static_cast<uint8_t>((pixels[i] >> 16) & 0xFF);
    }
    return rgb;
}

} // namespace

std::vector<uint8_t> encodePng(int32_t width, int32_t height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0 || !fitsPixels(width, height)) {
        return {};
    }
    const std::vector<uint8_t> rgb = toRgbBytes(width, height, pixels);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}

std::shared_ptr<platform::Picture> decodePng(const uint8_t* data, size_t size, std::string* error) {
    const auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return std::shared_ptr<platform::Picture>();
    };
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return fail(std::string("not a PNG: ") + image.message);
    // The header alone says how much the pixels would take: a small file that decodes to
    // gigabytes is refused before anything is allocated.
    if (image.width == 0 || image.height == 0 || !fitsPixels(image.width, image.height)) {
        png_image_free(&image);
        return fail("a PNG of " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                    " pixels is out of range");
    }
    // Read with alpha and drop it: the colour of a transparent pixel is kept as it is.
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        return fail(std::string("damaged PNG: ") + image.message);
    }
    const size_t count = static_cast<size_t>(image.width) * image.height;
    std::vector<uint32_t> pixels(count);
    for (size_t i = 0; i < count; ++i) {
        pixels[i] = rgba[i * 4] | (static_cast<uint32_t>(rgba[i * 4 + 1]) << 8) |
                    (static_cast<uint32_t>(rgba[i * 4 + 2]) << 16);
    }
    return std::make_shared<platform::Picture>(static_cast<int32_t>(image.width),
                                               static_cast<int32_t>(image.height), std::move(pixels));
}

} // namespace tavrin::software
