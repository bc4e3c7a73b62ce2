// A line of text as the surface draws it: the glyphs with their pen positions, worked out once per
// font and text and drawn in any colour.
//
// Laying out a line (finding each character's glyph, its advance, and whatever a shaper does:
// faces for other scripts, joining, marks, right-to-left order) is the same every time the same
// text is drawn in the same font; only the blend into the pixels
// depends on where and in which colour. So the layout is kept: a list repainting the same items
// finds their runs ready, and the blend is the only work per pixel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/software/Text.h"

namespace tavrin::software {

struct PositionedGlyph {
    const Glyph* glyph = nullptr; // owned by the font, alive as long as the process
    int32_t x = 0;                // pen position from the start of the line
    int32_t y = 0;                // raised above the baseline by this much (marks of shaped text)
};

struct GlyphRun {
    std::vector<PositionedGlyph> glyphs; // only those with pixels to draw, in visual order
    int32_t width = 0;                   // the advance of the whole line
    int32_t ascent = 0;                  // baseline below the line's top: the tallest face's
    int32_t lineHeight = 0;              // top to bottom, of the tallest face used
    bool shaped = false;                 // laid out by the shaper: marks may stand left of their pen
};

// The run of a line of code points (no line feed inside). Plain text (drawsUnshaped) takes one
// glyph per code point, each advancing the pen; any other line is shaped (shapeRun). The run's
// room is reused, so laying out into a run that has held a line as long allocates nothing.
void layoutRun(SizedFont& font, std::u32string_view text, GlyphRun& run,
               TextDirection direction = TextDirection::Auto);
// The same for UTF-16 (a surrogate pair is one code point, an unpaired surrogate U+FFFD).
void layoutRun(SizedFont& font, std::u16string_view text, GlyphRun& run);
// A laid-out line by value, for measuring.
GlyphRun shapeLine(SizedFont& font, std::u32string_view text, TextDirection direction = TextDirection::Auto);

// The shaper (TextShaping.cpp): the line split into runs of one direction, script and face, each
// shaped by HarfBuzz, and the runs put in visual order.
void shapeRun(SizedFont& font, std::u32string_view text, TextDirection direction, GlyphRun& run);

// The run of text in font, from a cache of recently drawn lines. The reference stays valid until
// the next call.
const GlyphRun& cachedRun(SizedFont& font, std::u16string_view text);

// Blends the run's glyphs in target.rgb (colour glyphs as they are) with the pen starting at
// (x, baseline), clipped to target.clip; glyphs of plain text that start at or past the clip's
// right edge are not visited.
void drawGlyphRun(const TextTarget& target, const GlyphRun& run, int32_t x, int32_t baseline);

// colour over dst with coverage a (0 to 255), every channel rounded to the nearest:
// (colour * a + dst * (255 - a)) / 255, two channels per multiply.
inline uint32_t blendCoverage(uint32_t colour, uint32_t dst, uint32_t a) {
    const uint32_t na = 255u - a;
    uint32_t rb = (colour & 0xFF00FFu) * a + (dst & 0xFF00FFu) * na + 0x800080u;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
    uint32_t g = (colour & 0x00FF00u) * a + (dst & 0x00FF00u) * na + 0x008000u;
    g = ((g + ((g >> 8) & 0x00FF00u)) >> 8) & 0x00FF00u;
    return rb | g;
}

} // namespace tavrin::software
