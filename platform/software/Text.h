// Text of the software surface: DejaVu faces through FreeType, faces of other scripts found through
// fontconfig, shaping with HarfBuzz, right-to-left ordering with FriBidi, a glyph cache, and the
// layout of DrawText (one centred line, or lines broken where a reader allows and aligned).
//
// Every size is in whole pixels. Glyphs are anti-aliased coverage masks blended into the surface
// in the text colour, or colour bitmaps (emoji) blended as they are; the background is never
// touched.
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

struct hb_font_t; // HarfBuzz's font

namespace tavrin::software {

struct Glyph {
    int32_t left = 0;  // from the pen position to the first column of the mask
    int32_t top = 0;   // from the baseline up to the first row of the mask
    int32_t width = 0; // mask size
    int32_t rows = 0;
    int32_t advance = 0;           // pen movement in pixels
    std::vector<uint8_t> coverage; // rows x width, 0 (nothing) to 255 (opaque)
    std::vector<uint32_t> colour;  // rows x width of 0xAABBGGRR, premultiplied; replaces coverage
    bool found = true;             // false: the face's missing-glyph box (or nothing) stands in
};

// The direction of a paragraph: from its first strong character, or as given.
enum class TextDirection : uint8_t { Auto, LeftToRight, RightToLeft };

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

    // The glyph of a code point, unshaped, from the other DejaVu faces when this one lacks it;
    // control characters are empty and do not advance. Not found: the missing-glyph box.
    const Glyph& glyph(char32_t codePoint);
    // The advance width of a line, shaped when it needs shaping.
    int32_t width(std::u32string_view text);

    // The face that draws a code point: this font's own DejaVu faces first, then the face that
    // fontconfig finds for it (a colour face for emoji); this font's own face when none has it.
    // lang is a hint for Han characters ("ja", "ko", "zh-cn" or empty).
    int faceFor(char32_t codePoint, bool emoji, std::string_view lang);
    // A glyph of one of the faces by its index in the face, at this font's size.
    const Glyph& faceGlyph(int faceId, uint32_t glyphIndex);
    // The HarfBuzz font of a face at this font's size (26.6 pixel units); nullptr without one.
    hb_font_t* shaper(int faceId);
    // Vertical extent of a face at this size: ascent and line height in pixels.
    std::pair<int32_t, int32_t> faceMetrics(int faceId);
    int faceId() const { return faceId_; }
    int32_t size26_6() const { return size26_6_; }

    SizedFont(int faceId, int32_t size26_6); // use of()
    ~SizedFont();
    SizedFont(const SizedFont&) = delete;
    SizedFont& operator=(const SizedFont&) = delete;

  private:
    Glyph load(char32_t codePoint);
    Glyph loadFrom(int faceId, uint32_t glyphIndex) const;

    int faceId_;
    int32_t size26_6_;
    int32_t ascent_ = 0, lineHeight_ = 0;
    int32_t underlineOffset_ = 1, strikeOffset_ = 3, lineThickness_ = 1;
    std::unordered_map<char32_t, Glyph> glyphs_;
    std::array<const Glyph*, 128> ascii_{};           // the ASCII glyphs once loaded, found without hashing
    std::unordered_map<uint64_t, Glyph> faceGlyphs_;  // (face << 32 | index)
    std::unordered_map<uint64_t, int> fallbackFaces_; // (code point, emoji, lang) -> face
    std::unordered_map<int, hb_font_t*> shapers_;     // per face
    std::unordered_map<int, std::pair<int32_t, int32_t>> metrics_; // per face
};

// Characters that no script's rules reorder, join, combine or break apart: Latin, Greek and
// Cyrillic letters without combining marks, punctuation and the common symbols.
bool isPlain(char32_t c);

// Whether a line can be drawn character by character from the DejaVu faces: every character is
// one that no script's rules reorder, join or combine, and the faces have it. Such lines (all of
// plain Latin text among them) skip shaping.
bool drawsUnshaped(SizedFont& font, std::u32string_view text);

// The direction of a paragraph from its first strong character (left to right without one).
TextDirection paragraphDirection(std::u32string_view text);

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

// Where a line may end inside a paragraph by the Unicode line-breaking rules, Thai words found with
// a dictionary: allowed[i] is true when a line may start at i (0 < i < size).
std::vector<bool> lineBreakOpportunities(std::u32string_view paragraph);

} // namespace tavrin::software
