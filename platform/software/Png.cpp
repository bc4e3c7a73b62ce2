// PNG files of surfaces and pictures: the bytes of a file, encoded and decoded in memory.
//
// Written files are 8-bit RGB. Read files may be of any PNG kind; they become 0x00BBGGRR pixels and
// any alpha channel is dropped, as the host's pictures have no alpha.
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/software/SoftwareSurface.h"
#include "tavrin/platform/Picture.h"

namespace tavrin::software {
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
    const std::vector<uint8_t> png = encodePng(width, height, pixels);
    if (png.empty()) {
        setError(error,
                 "cannot encode an image of " + std::to_string(width) + " x " + std::to_string(height));
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out) {
        setError(error, "cannot write " + path);
        return false;
    }
    return true;
}

std::shared_ptr<platform::Picture> readPng(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        setError(error, "cannot read " + path);
        return nullptr;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string why;
    auto picture = decodePng(bytes.data(), bytes.size(), &why);
    if (!picture) setError(error, "cannot decode " + path + ": " + why);
    return picture;
}

} // namespace tavrin::software
