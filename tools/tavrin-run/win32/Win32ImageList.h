// The scripts' generated image list on the Windows host: the same images as on every host, drawn
// into a real device context through GDI (the transparent style with TransparentBlt).
#pragma once

#include <memory>
#include <vector>

#include "tavrin/platform/Host.h"

namespace tavrin::win32 {
class Win32Services;
} // namespace tavrin::win32

namespace tavrin::run {

class Win32ImageList final : public platform::ImageList {
  public:
    // scaleMode: the scale mode of the list's parent form (1 = twips).
    Win32ImageList(win32::Win32Services& services, int32_t width, int32_t height, int32_t count,
                   int16_t scaleMode);
    int16_t ParentScaleMode() const override { return scaleMode_; }
    double ImageHeight() const override { return height_; }
    double ImageWidth() const override { return width_; }
    int32_t Count() const override { return static_cast<int32_t>(images_.size()); }
    // Raises 35600 for a missing index; a device context GDI does not know draws nothing.
    void Draw(int32_t index, platform::HDC dc, double x, double y, int32_t style) override;
    const DispatchTable& dispatchTable() const override;
    std::string typeName() const override { return "ImageList"; }

  private:
    win32::Win32Services& services_;
    int32_t width_, height_;
    int16_t scaleMode_;
    std::vector<std::shared_ptr<platform::Picture>> images_;
};

} // namespace tavrin::run
