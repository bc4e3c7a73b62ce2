// PNG files of surfaces and pictures, through libpng's simplified interface (no longjmp).
//
// Written files are 8-bit RGB. Read files may be of any PNG kind; they become 0x00BBGGRR pixels and
// any alpha channel is dropped, as the host's pictures have no alpha.
#include <cstring>
#include <vector>

#include <png.h>

#include "platform/headless/SoftwareSurface.h"
#include "tavrin/platform/Picture.h"

namespace tavrin::headless {
namespace {

void setError(std::string* error, const std::string& message) {
    if (error) *error = message;
}

} // namespace

bool writePng(const std::string& path, int32_t width, int32_t height, const uint32_t* pixels,
              std::string* error) {
    if (width <= 0 || height <= 0 || !pixels) {
        setError(error, "cannot write an empty image to " + path);
        return false;
    }
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rgb[i * 3] = pixels[i] & 0xFF;
        rgb[i * 3 + 1] = (pixels[i] >> 8) & 0xFF;
        rgb[i * 3 + 2] = (pixels[i] >> 16) & 0xFF;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) {
        setError(error, "cannot write " + path + ": " + image.message);
        png_image_free(&image);
        return false;
    }
    return true;
}

std::shared_ptr<platform::Picture> readPng(const std::string& path, std::string* error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        setError(error, "cannot read " + path + ": " + image.message);
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        setError(error, "cannot decode " + path + ": " + image.message);
        png_image_free(&image);
        return nullptr;
    }
    const auto width = static_cast<int32_t>(image.width), height = static_cast<int32_t>(image.height);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = rgba[i * 4] | rgba[i * 4 + 1] << 8 | static_cast<uint32_t>(rgba[i * 4 + 2]) << 16;
    return std::make_shared<platform::Picture>(width, height, std::move(pixels));
}

} // namespace tavrin::headless
