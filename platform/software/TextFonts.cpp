// The DejaVu faces and their glyph caches.
//
// 1. A font name picks a family (Sans for every name we do not know), bold and italic a style.
// 2. The face file is opened once per process; a SizedFont is made once per face and 26.6 size.
// 3. A glyph is rendered once per SizedFont and code point; a code point the face lacks comes from
//    the other DejaVu faces, and when none has it the face's own missing-glyph box is drawn.
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include "platform/software/Text.h"

#ifndef TAVRIN_FONT_DIR
#define TAVRIN_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace tavrin::software {
namespace {

enum class Family { Sans = 0, Serif = 1, Mono = 2 };
constexpr int kStyles = 4; // regular, bold, italic, bold italic
constexpr int kFaces = 3 * kStyles;

constexpr std::array<const char*, kFaces> kFaceFiles = {
    "DejaVuSans.ttf",
    "DejaVuSans-Bold.ttf",
    "DejaVuSans-Oblique.ttf",
    "DejaVuSans-BoldOblique.ttf",
    "DejaVuSerif.ttf",
    "DejaVuSerif-Bold.ttf",
    "DejaVuSerif-Italic.ttf",
    "DejaVuSerif-BoldItalic.ttf",
    "DejaVuSansMono.ttf",
    "DejaVuSansMono-Bold.ttf",
    "DejaVuSansMono-Oblique.ttf",
    "DejaVuSansMono-BoldOblique.ttf",
};

// The FreeType library, the open faces and every sized font, freed when the process ends.
class FontRegistry {
  public:
    ~FontRegistry() {
        sized_.clear();
        for (FT_Face face : faces_)
            if (face) FT_Done_Face(face);
        if (library_) FT_Done_FreeType(library_);
    }

    // nullptr when the face file cannot be opened.
    FT_Face face(int faceId) {
        if (faceId < 0 || faceId >= kFaces) return nullptr;
        if (!tried_[faceId]) {
            tried_[faceId] = true;
            if (!library_ && FT_Init_FreeType(&library_) != 0) library_ = nullptr;
            std::string path = std::string(TAVRIN_FONT_DIR) + "/" + kFaceFiles[faceId];
            if (library_ && FT_New_Face(library_, path.c_str(), 0, &faces_[faceId]) != 0)
                faces_[faceId] = nullptr;
        }
        return faces_[faceId];
    }

    SizedFont& sized(int faceId, int32_t size26_6) {
        auto key = std::make_pair(faceId, size26_6);
        auto it = sized_.find(key);
        if (it == sized_.end()) it = sized_.emplace(key, std::make_unique<SizedFont>(faceId, size26_6)).first;
        return *it->second;
    }

  private:
    FT_Library library_ = nullptr;
    std::array<FT_Face, kFaces> faces_{};
    std::array<bool, kFaces> tried_{};
    std::map<std::pair<int, int32_t>, std::unique_ptr<SizedFont>> sized_;
};

FontRegistry& registry() {
    static FontRegistry instance;
    return instance;
}

Family familyOf(const std::u16string& name) {
    std::string lower;
    for (char16_t c : name)
        lower += c < 128 ? static_cast<char>(std::tolower(static_cast<int>(c))) : '?';
    if (lower == "dejavu serif") return Family::Serif;
    if (lower == "dejavu sans mono") return Family::Mono;
    return Family::Sans;
}

int faceIdOf(const platform::FontDesc& font) {
    int style = (font.bold || font.weight > 550 ? 1 : 0) + (font.italic ? 2 : 0);
    return static_cast<int>(familyOf(font.name)) * kStyles + style;
}

// The faces asked, in order, for a code point that faceId lacks.
std::array<int, 4> fallbacksOf(int faceId) {
    int style = faceId % kStyles;
    return {style, 0, static_cast<int>(Family::Serif) * kStyles, static_cast<int>(Family::Mono) * kStyles};
}

int32_t roundPixels(FT_Pos value26_6) {
    return static_cast<int32_t>((value26_6 + 32) >> 6);
}

bool setSize(FT_Face face, int32_t size26_6) {
    return FT_Set_Char_Size(face, 0, size26_6, 72, 72) == 0;
}

} // namespace

SizedFont& SizedFont::of(const platform::FontDesc& font, double twipsPerPixel) {
    double pixels = font.size * 20.0 / (twipsPerPixel > 0 ? twipsPerPixel : 15.0);
    if (!std::isfinite(pixels)) pixels = 1;
    pixels = std::clamp(pixels, 1.0, 4096.0);
    int faceId = faceIdOf(font);
    if (!registry().face(faceId)) faceId = 0;
    return registry().sized(faceId, static_cast<int32_t>(std::lround(pixels * 64)));
}

SizedFont::SizedFont(int faceId, int32_t size26_6) : faceId_(faceId), size26_6_(size26_6) {
    FT_Face face = registry().face(faceId);
    if (!face || !setSize(face, size26_6)) {
        // No font file: keep sensible metrics so that layout still works (text draws nothing).
        lineHeight_ = std::max(1, (size26_6 * 6 / 5 + 32) >> 6);
        ascent_ = lineHeight_ * 4 / 5;
        return;
    }
    const FT_Size_Metrics& m = face->size->metrics;
    ascent_ = roundPixels(m.ascender);
    lineHeight_ = roundPixels(m.ascender - m.descender);
    FT_Fixed scale = m.y_scale;
    lineThickness_ = std::max(1, roundPixels(FT_MulFix(face->underline_thickness, scale)));
    underlineOffset_ = std::max(1, roundPixels(-FT_MulFix(face->underline_position, scale)));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    FT_Pos strike = os2 ? FT_MulFix(os2->yStrikeoutPosition, scale) : m.ascender / 3;
    strikeOffset_ = std::max(1, roundPixels(strike));
}

const Glyph& SizedFont::glyph(char32_t codePoint) {
    if (codePoint < ascii_.size() && ascii_[codePoint]) return *ascii_[codePoint];
    auto it = glyphs_.find(codePoint);
    if (it == glyphs_.end()) it = glyphs_.emplace(codePoint, load(codePoint)).first;
    if (codePoint < ascii_.size()) ascii_[codePoint] = &it->second; // nodes never move
    return it->second;
}

int32_t SizedFont::width(std::u32string_view text) {
    int32_t total = 0;
    for (char32_t c : text)
        total += glyph(c).advance;
    return total;
}

Glyph SizedFont::load(char32_t codePoint) {
    if (codePoint < 0x20 || codePoint == 0x7F) return {};
    FT_Face own = registry().face(faceId_);
    if (own) {
        if (FT_UInt index = FT_Get_Char_Index(own, codePoint)) return loadFrom(faceId_, index);
    }
    for (int fallback : fallbacksOf(faceId_)) {
        FT_Face face = registry().face(fallback);
        if (fallback == faceId_ || !face) continue;
        if (FT_UInt index = FT_Get_Char_Index(face, codePoint)) return loadFrom(fallback, index);
    }
    return own ? loadFrom(faceId_, 0) : Glyph{}; // the missing-glyph box
}

Glyph SizedFont::loadFrom(int faceId, uint32_t glyphIndex) const {
    FT_Face face = registry().face(faceId);
    Glyph glyph;
    if (!face || !setSize(face, size26_6_)) return glyph;
    if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_TARGET_LIGHT) != 0) return glyph;
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_LIGHT) != 0) return glyph;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.advance = roundPixels(slot->advance.x);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int32_t>(bitmap.width);
    glyph.rows = static_cast<int32_t>(bitmap.rows);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    for (int32_t y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * std::abs(bitmap.pitch);
        for (int32_t x = 0; x < glyph.width; ++x) {
            uint8_t value = mono ? ((row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0) : row[x];
            glyph.coverage[static_cast<size_t>(y) * glyph.width + x] = value;
        }
    }
    return glyph;
}

TextDecoration decorationOf(const platform::FontDesc& font) {
    return static_cast<TextDecoration>((font.underline ? 1 : 0) | (font.strikethrough ? 2 : 0));
}

} // namespace tavrin::software
