// The bar's geometry as painting, input, the hosts' tools and the tests see it: the parts a twip
// position falls on, the pieces a paint stacks and where each lands.
#pragma once

#include <cstddef>

#include "tavrin/XPVScroll.h"

namespace tavrin {

// The parts of the bar as a twip position sees them. The thumb lies on the track.
enum class BarPart { UpButton, Track, DownButton };

// The pieces a paint stacks, in the order it stacks them: later pieces cover earlier ones.
enum class BarPiece { Background, Thumb, Grip, TopCap, BottomCap, UpButton, DownButton };
constexpr size_t kBarPieceCount = 7;
static_assert(kBarPieceCount == static_cast<size_t>(BarPiece::DownButton) + 1);

// Where a piece lands on the bar, in twips. The background and the thumb are stretched to
// `height`; the other pictures are drawn in their own size, which `height` gives as the layout
// expects it.
struct BarRect {
    double left = 0, top = 0, height = 0;
    double bottom() const { return top + height; }
    double middle() const { return top + height / 2; }
};

} // namespace tavrin
