// PNG files on the Windows host, through the Windows Imaging Component.
#pragma once

#include <cstdint>
#include <string>

namespace tavrin::win32 {

// Pixels 0x00BBGGRR, rows from the top. False when the file cannot be written.
bool writePng(const std::u16string& path, int32_t width, int32_t height, const uint32_t* pixels);
// What the screen shows of a window (frame included), as a PNG file.
bool captureWindowPng(void* window, const std::u16string& path);

} // namespace tavrin::win32
