// The host's picture object: a bitmap with an optional transparent colour, identified by a handle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tavrin/automation/Dispatch.h"

namespace tavrin::platform {

class Picture : public Dispatchable {
  public:
    // Pixels are 0x00BBGGRR, row by row from the top.
    Picture(int32_t width, int32_t height, std::vector<uint32_t> pixels);
    static std::shared_ptr<Picture> solid(int32_t width, int32_t height, uint32_t rgb);

    int32_t handle() const { return handle_; } // unique per picture, never 0
    int32_t width() const { return width_; }   // pixels
    int32_t height() const { return height_; }
    const std::vector<uint32_t>& pixels() const { return pixels_; }
    uint32_t pixel(int32_t x, int32_t y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Pixels of this colour are not drawn by a transparent blit (the image list's style 1).
    void setTransparentColor(int64_t rgbOrMinusOne) { transparent_ = rgbOrMinusOne; }
    int64_t transparentColor() const { return transparent_; }

    const DispatchTable& dispatchTable() const override;
    std::string typeName() const override { return "Picture"; }

  private:
    int32_t handle_;
    int32_t width_, height_;
    std::vector<uint32_t> pixels_;
    int64_t transparent_ = -1;
};

} // namespace tavrin::platform
