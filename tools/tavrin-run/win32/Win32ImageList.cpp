#include "tools/tavrin-run/win32/Win32ImageList.h"

#include <algorithm>
#include <cmath>

#include "platform/software/SoftwareImageList.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Host.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/platform/Picture.h"

#include "platform/win32/Win32Windows.h" // last: <windows.h> renames the platform's constants

namespace tavrin::run {

namespace {
constexpr int32_t kIndexOutOfBounds = 35600;
} // namespace

Win32ImageList::Win32ImageList(win32::Win32Services& services, int32_t width, int32_t height, int32_t count,
                               int16_t scaleMode)
    : services_(services), width_(std::max(1, width)), height_(std::max(1, height)), scaleMode_(scaleMode) {
    for (int32_t i = 1; i <= count; ++i)
        images_.push_back(software::generatedImage(width_, height_, i));
}

void Win32ImageList::Draw(int32_t index, platform::HDC dc, double x, double y, int32_t style) {
    if (index < 1 || index > Count()) raise(kIndexOutOfBounds);
    const platform::Picture& picture = *images_[static_cast<size_t>(index - 1)];
    HDC target = static_cast<HDC>(services_.win32Gdi().realDc(dc));
    if (!target) return;
    const auto mode = static_cast<platform::ScaleMode>(scaleMode_);
    const int px = static_cast<int>(std::lround(services_.ScaleX(x, mode, platform::ScaleMode::Pixels)));
    const int py = static_cast<int>(std::lround(services_.ScaleY(y, mode, platform::ScaleMode::Pixels)));
    // The image as a DIB section: 0x00BBGGRR to the bitmap's blue, green, red bytes.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    auto* out = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < picture.pixels().size(); ++i) {
        const uint32_t c = picture.pixels()[i];
        out[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    HDC source = ::CreateCompatibleDC(target);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    if (style == 1 && picture.transparentColor() >= 0)
        ::TransparentBlt(target, px, py, width_, height_, source, 0, 0, width_, height_,
                         static_cast<UINT>(picture.transparentColor()));
    else
        ::BitBlt(target, px, py, width_, height_, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    ::DeleteObject(bitmap);
}

const DispatchTable& Win32ImageList::dispatchTable() const {
    static const DispatchTable table = [] {
        DispatchTable t;
        TableBuilder<Win32ImageList>(t)
            .get("ImageHeight", 1, [](Win32ImageList& l, auto&) { return Variant::r8(l.ImageHeight()); })
            .get("ImageWidth", 2, [](Win32ImageList& l, auto&) { return Variant::r8(l.ImageWidth()); })
            .get("Count", 3, [](Win32ImageList& l, auto&) { return Variant::i4(l.Count()); });
        return t;
    }();
    return table;
}

} // namespace tavrin::run
