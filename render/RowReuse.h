// What PaintRows remembers of the rows it painted, so that the next one can keep or move them
// (see RowReuse.cpp).
#pragma once

#include <memory>
#include <vector>

#include "tavrin/Tavrin.h"

namespace tavrin {

struct Tavrin::RowLook {
    double surfaceWidth = 0, surfaceHeight = 0;
    int16_t rowHeight = 0;
    int32_t left = 0, right = 0;
    int32_t style = 0;
    uint32_t backNormal = 0, backSelected = 0, fontNormal = 0, fontSelected = 0, boxBorder = 0;
    Vertex gradientFrom{}, gradientTo{};
    int16_t boxOffset = 0, boxRadius = 0, itemOffset = 0, itemTextLeft = 0;
    bool wordWrap = false;
    int32_t alignment = 0;
    std::shared_ptr<platform::Picture> selectionPicture; // held, so that its address stays its own
    platform::FontDesc font;
    bool reusable = false; // whether rows painted with these looks can be kept at all

    bool operator==(const RowLook&) const = default;
};

struct Tavrin::PaintedRows {
    struct Row {
        tavrin::ItemText text;
        bool selected = false;
        bool reusable = false;
    };
    uint64_t revision = 0; // the surface's revision after the paint; 0: nothing to reuse
    RowLook look;
    int16_t top = 0;
    int16_t first = 0;     // the item of rows[0]
    std::vector<Row> rows; // the items painted, first on
};

} // namespace tavrin
