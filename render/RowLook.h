// The look of a row as one value.
//
// Everything that decides a row's pixels is gathered here before a row is painted: the surface the
// rows land on, every property and resolved colour the painter uses, the font, the selection
// picture, the image list, the rows' geometry, and per row its text, images and selected flag. The
// row painter (RowPainter.cpp) reads nothing else, and the row reuse (RowReuse.cpp) compares these
// same values, so a property cannot steer the painter without also deciding whether a painted row
// may be kept.
#pragma once

#include <memory>
#include <vector>

#include "tavrin/Tavrin.h"

namespace tavrin {

// What every row shares.
struct Tavrin::RowLook {
    // The surface: its size clips the rows, its font writes their text (underline off: each row
    // sets its own), and rows are reused only on a surface in pixels.
    double surfaceWidth = 0, surfaceHeight = 0;
    platform::ScaleMode scaleMode = platform::ScaleMode::Pixels;
    platform::FontDesc font;
    // Geometry: every row is rowHeight tall and runs from its left (LeftMargin, 6 more with
    // RequiredField) to the right edge that the layout set.
    int16_t rowHeight = 0;
    int16_t leftMargin = 0;
    bool requiredField = false;
    int32_t right = 0;
    // The properties the painter reads, and the colours resolved from the colour properties.
    SelectModeStyleCts style = SelectModeStyleCts::Standard;
    uint32_t backNormal = 0, backSelected = 0, fontNormal = 0, fontSelected = 0, boxBorder = 0;
    Vertex gradientFrom{}, gradientTo{};
    int16_t boxOffset = 0, boxRadius = 0, itemOffset = 0, itemTextLeft = 0;
    bool wordWrap = false;
    AlignmentCts alignment = AlignmentCts::AlignLeft;
    std::shared_ptr<platform::Picture> selectionPicture; // held, so that its address stays its own
    std::shared_ptr<platform::ImageList> imageList;
    int16_t imageScaleMode = 0;

    bool operator==(const RowLook&) const = default;
};

// What is a row's own.
struct Tavrin::RowContent {
    tavrin::ItemText text;
    int16_t icon = 0, iconSelected = 0;
    bool selected = false;

    bool operator==(const RowContent&) const = default;
};

struct Tavrin::PaintedRows {
    struct Row {
        RowContent content;
        bool reusable = false;
    };
    uint64_t revision = 0; // the surface's revision after the paint; 0: nothing to reuse
    RowLook look;
    int16_t top = 0;
    int16_t first = 0;     // the item of rows[0]
    std::vector<Row> rows; // the items painted, first on
};

} // namespace tavrin
