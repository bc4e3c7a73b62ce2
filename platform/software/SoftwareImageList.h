// An image list for scripts and tests: n generated images of w x h pixels (index 1..n), each a
// coloured disc with a mark of its own on magenta (0xFF00FF), the transparent colour.
#pragma once

#include <memory>
#include <vector>

#include "tavrin/platform/Host.h"

namespace tavrin::software {

class Desktop;

// Image `index` (1 or more) of w x h pixels, as every generated image list of any host has it.
std::shared_ptr<platform::Picture> generatedImage(int32_t width, int32_t height, int32_t index);

class SoftwareImageList final : public platform::ImageList {
  public:
    // scaleMode: the scale mode of the list's parent form (1 = twips).
    SoftwareImageList(Desktop& desktop, int32_t width, int32_t height, int32_t count, int16_t scaleMode = 1);

    int16_t ParentScaleMode() const override { return scaleMode_; }
    double ImageHeight() const override { return height_; }
    double ImageWidth() const override { return width_; }
    int32_t Count() const override { return static_cast<int32_t>(images_.size()); }
    // x, y in the parent's scale mode; style 1 skips the transparent colour. Raises 35600 for a
    // missing index; a bad device context draws nothing.
    void Draw(int32_t index, platform::HDC dc, double x, double y, int32_t style) override;
    const platform::Picture& image(int32_t index) const; // raises 35600 for a missing index

    const DispatchTable& dispatchTable() const override;
    std::string typeName() const override { return "ImageList"; }

  private:
    Desktop& desktop_;
    int32_t width_, height_;
    int16_t scaleMode_;
    std::vector<std::shared_ptr<platform::Picture>> images_;
};

} // namespace tavrin::software
