// The background picture of the about box.
#pragma once

#include <memory>

#include "tavrin/platform/Picture.h"

namespace tavrin::about {

// 374 x 264 pixels at scale 1 (96 dots per inch), drawn from the form's top-left corner: a blue
// banner with a small list box above a light field where the labels stand. At another scale it is
// drawn anew at that many times the pixels.
constexpr int32_t kPictureWidth = 374, kPictureHeight = 264;
std::shared_ptr<platform::Picture> backgroundPicture(double scale = 1.0);

} // namespace tavrin::about
