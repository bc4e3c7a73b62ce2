// Text of the software surface: DejaVu faces through FreeType, a glyph cache, and the layout of
// DrawText (one centred line, or lines broken at spaces and aligned).
//
// Every size is in whole pixels. Glyphs are anti-aliased coverage masks blended into the surface
// in the text colour; the background is never touched.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tavrin/platform/Font.h"
#include "tavrin/platform/Gdi.h"

namespace tavrin::software {

struct Glyph {
    int32_t left = 0;  // from the pen position to the first column of the mask
    int32_t top = 0;   // from the baseline up to the first row of the mask
    int32_t width = 0; // mask size
    int32_t rows = 0;
    int32_t advance = 0;           // pen movement in pixels
    std::vector<uint8_t> coverage; // rows x width, 0 (nothing) to 255 (opaque)
};

// One face at one pixel size, with its metrics and the glyphs drawn so far. Shared by every surface
// and alive until the process ends.
class SizedFont {
  public:
    // The face of a font description at the pixel size of its points on a screen of twipsPerPixel.
    static SizedFont& of(const platform::FontDesc& font, double twipsPerPixel);

    int32_t ascent() const { return ascent_; }                   // baseline below the line's top
    int32_t lineHeight() const { return lineHeight_; }           // ascender - descender
    int32_t underlineOffset() const { return underlineOffset_; } // below the baseline
    int32_t strikeOffset() const { return strikeOffset_; }       // above the baseline
    int32_t lineThickness() const { return lineThickness_; }

    // The glyph of a code point, from a fallback face when this one lacks it; control characters
    // are empty and do not advance.
    const Glyph& glyph(char32_t codePoint);
    int32_t width(std::u32string_view text);

    SizedFont(int faceId, int32_t size26_6); // use of()

  private:
    Glyph load(char32_t codePoint);
    Glyph loadFrom(int faceId, uint32_t glyphIndex) const;

    int faceId_;
    int32_t size26_6_;
    int32_t ascent_ = 0, lineHeight_ = 0;
    int32_t underlineOffset_ = 1, strikeOffset_ = 3, lineThickness_ = 1;
    std::unordered_map<char32_t, Glyph> glyphs_;
    std::array<const Glyph*, 128> ascii_{}; // the ASCII glyphs once loaded, found without hashing
};

// UTF-16 to code points; an unpaired surrogate becomes U+FFFD.
std::u32string decodeUtf16(std::u16string_view text);

// Where text goes: a pixel buffer, the clip (already inside the buffer) and the colour.
struct TextTarget {
    uint32_t* pixels = nullptr;
    int32_t width = 0, height = 0;
    platform::RECT clip;
    uint32_t rgb = 0;
};

enum class TextDecoration : uint8_t { None = 0, Underline = 1, Strikethrough = 2, Both = 3 };
inline bool has(TextDecoration set, TextDecoration one) {
    return (static_cast<uint8_t>(set) & static_cast<uint8_t>(one)) != 0;
}
TextDecoration decorationOf(const platform::FontDesc& font);

// One line with its top-left at (x, top); returns its width.
int32_t drawTextLine(const TextTarget& target, SizedFont& font, std::u32string_view text, int32_t x,
                     int32_t top, TextDecoration decoration);

// The same for a line laid out already (GlyphRun.h).
struct GlyphRun;
int32_t drawRunLine(const TextTarget& target, SizedFont& font, const GlyphRun& run, int32_t x, int32_t top,
                    TextDecoration decoration);

// DrawText formats: DT_SINGLELINE (with DT_VCENTER) or lines broken at spaces, aligned by
// DT_CENTER/DT_RIGHT, clipped to rect. Returns the height of the text block (from rect.top to
// its bottom when vertically centred).
int32_t drawTextBlock(TextTarget target, SizedFont& font, std::u16string_view text,
                      const platform::RECT& rect, uint32_t format, TextDecoration decoration);

// The lines that a word-breaking layout makes of text within maxWidth: [begin, end) of each.
struct TextLine {
    size_t begin = 0, end = 0;
};
std::vector<TextLine> breakLines(SizedFont& font, std::u32string_view text, int32_t maxWidth);

} // namespace tavrin::software
