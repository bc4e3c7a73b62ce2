// PNG files of surfaces and pictures: the bytes of a file, encoded and decoded in memory.
//
// Written files are 8-bit RGB. Read files may be of any PNG kind; they become 0x00BBGGRR pixels and
// any alpha channel is dropped, as the host's pictures have no alpha.
#include <vector>

#include "platform/software/Files.h"
#include "platform/software/SoftwareSurface.h"
#include "tavrin/platform/Limits.h"
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
    // Atomically, as a form is saved: a full disk leaves the former picture whole.
    try {
        writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
    } catch (const FileError& e) {
        setError(error, e.what());
        return false;
    }
    return true;
}

std::shared_ptr<platform::Picture> readPng(const std::string& path, std::string* error) {
    std::string bytes;
    try {
        bytes = readWholeFile(path, platform::limits::kMaxPictureFileBytes, "picture");
    } catch (const FileError& e) {
        setError(error, e.what());
        return nullptr;
    }
    std::string why;
    auto picture = decodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &why);
    if (!picture) setError(error, "cannot decode " + path + ": " + why);
    return picture;
}

} // namespace tavrin::software
