// PNG files on the Windows host, through the Windows Imaging Component.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavrin::platform {
class Picture;
} // namespace tavrin::platform

namespace tavrin::win32 {

// Pixels 0x00BBGGRR, rows from the top. False when the file cannot be written.
bool writePng(const std::u16string& path, int32_t width, int32_t height, const uint32_t* pixels);
// PNG data in memory as bytes (empty when it cannot be encoded), and back as a picture (nullptr with
// the reason in error).
std::vector<uint8_t> encodePng(int32_t width, int32_t height, const uint32_t* pixels);
std::shared_ptr<platform::Picture> decodePng(const uint8_t* data, size_t size, std::string* error);
// A PNG file as a picture (nullptr with the reason in error).
std::shared_ptr<platform::Picture> readPng(const std::u16string& path, std::string* error);
// What the screen shows of a window (frame included), as a PNG file.
bool captureWindowPng(void* window, const std::u16string& path);

} // namespace tavrin::win32
