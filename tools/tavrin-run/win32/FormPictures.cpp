// Pictures in form files on the Windows host: the form-file code is the same on every host, its
// PNG data goes through the Windows Imaging Component here.
#include "platform/software/SoftwareSurface.h"
#include "platform/win32/Win32Png.h"
#include "tavrin/platform/Picture.h"

namespace tavrin::software {

std::vector<uint8_t> encodePng(int32_t width, int32_t height, const uint32_t* pixels) {
    return win32::encodePng(width, height, pixels);
}

std::shared_ptr<platform::Picture> decodePng(const uint8_t* data, size_t size, std::string* error) {
    return win32::decodePng(data, size, error);
}

} // namespace tavrin::software
