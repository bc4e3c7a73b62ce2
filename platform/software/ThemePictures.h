// The pictures of the headless picture store, drawn in code: the thirteen scroll bar parts for the
// three colour schemes ("VS_UP(0)" .. "VS_BACK(2)") and the required-field mark "REQUIREDFIELD".
//
// Sizes in pixels at scale 1 (96 dots per inch): buttons 17 x 17, thumb body and track background
// 17 wide strips whose rows are all alike (they are stretched vertically), caps 17 x 3, grip 7 x 8,
// required-field mark 5 x 5. At another scale every size is multiplied by it (rounded), and the
// pictures are drawn anew at that size, not stretched.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/platform/Picture.h"

namespace tavrin::software {

struct PictureBits {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0x00BBGGRR, row by row from the top
};

// The pixels of a store picture; nothing for a key the store does not know.
std::optional<PictureBits> drawStorePicture(std::u16string_view key, double scale = 1.0);

// A new picture for the key, or nullptr for a key the store does not know.
std::shared_ptr<platform::Picture> makeStorePicture(const std::u16string& key, double scale = 1.0);

} // namespace tavrin::software
