// Where the list's rows are, written once. Painting, the focus rectangle, hit-testing, editing, the
// row reuse and the tests all take a row's place from here. Pixels throughout; the top row is the
// scroll bar's Value, which may be fractional.
#pragma once

#include <cmath>
#include <cstdint>

#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Gdi.h"

namespace tavrin::render {

// The room RequiredField leaves at the left of every row for its mark.
constexpr int16_t kRequiredMarkRoom = 6;

// The left of every row: LeftMargin, plus the mark's room with RequiredField (16-bit: overflow 6).
inline int16_t rowLeftOf(int16_t leftMargin, bool requiredField) {
    return requiredField ? addI2(leftMargin, kRequiredMarkRoom) : leftMargin;
}

// Whether item `index` is one of the `visibleRows` rows from the top row `top` down.
inline bool rowInView(double index, double top, int16_t visibleRows) {
    return !(index < top || index > top + visibleRows - 1);
}

// The top of item `index`'s row, rounded (halves to even).
inline int32_t rowTopOf(int32_t index, double top, int16_t rowHeight) {
    return roundToI4((index - top) * rowHeight);
}

// A row's rectangle: from `left` to the rows' right edge, one row height from its top.
inline platform::RECT rowRectOf(int32_t left, int32_t rowTop, int32_t right, int16_t rowHeight) {
    return {left, rowTop, right, roundToI4(static_cast<double>(rowTop) + rowHeight)};
}

// The text of a row starts ItemTextLeft after the image's left edge whether or not there is an
// image, and ends ItemOffset before the right edge. Wrapped text keeps ItemOffset from the top and
// the bottom too; one centred line uses the whole row height.
inline platform::RECT textRectOf(const platform::RECT& row, int16_t itemOffset, int16_t itemTextLeft,
                                 bool wordWrap) {
    platform::RECT text = row;
    text.left = row.left + itemOffset + itemTextLeft;
    text.right = row.right - itemOffset;
    if (wordWrap) {
        text.top = row.top + itemOffset;
        text.bottom = row.bottom - itemOffset;
    }
    return text;
}

// The width the rows may use: the control's client width less the scroll bar's width and, when
// `lessFrame`, the flat border ring on both sides (2 x BorderWidth, 16-bit arithmetic).
inline int32_t surfaceWidthLessFrame(double scaleWidth, double barWidth, bool lessFrame,
                                     int16_t borderWidth) {
    const double frame = lessFrame ? mulI2(2, borderWidth) : 0;
    return roundToI4(scaleWidth - barWidth - frame);
}

// The item under a Y of the drawing surface: whole rows down from the top row, rounded half to
// even. The division is in single precision, as an event's Y is a single.
inline int16_t rowUnderY(float y, int16_t rowHeight, double top) {
    const float rows = std::floor(checkedFinite(y / static_cast<float>(rowHeight)));
    return roundToI2(static_cast<double>(rows) + top);
}

} // namespace tavrin::render
