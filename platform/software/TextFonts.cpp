// The faces and their glyph caches.
//
// 1. A font name picks a family (Sans for every name we do not know), bold and italic a style.
// 2. The face file is opened once per process; a SizedFont is made once per face and 26.6 size.
// 3. A glyph is rendered once per SizedFont and code point; a code point the face lacks comes from
//    the other DejaVu faces, and when none has it the face's own missing-glyph box is drawn.
// 4. Shaped text asks for glyphs by face and glyph index. A character that no DejaVu face has (or
//    an emoji) comes from the face that fontconfig finds for it in the same family, weight and
//    slant; such faces join the registry once per process. Colour faces (emoji) hold bitmaps of a
//    fixed size that are scaled down to the font's size.
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <string>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <hb.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include "platform/software/GlyphRun.h"
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

// The FreeType library, the open faces and every sized font, freed when the process ends. The
// DejaVu faces have the ids 0 to kFaces - 1, faces found through fontconfig the ids after them.
class FontRegistry {
  public:
    FontRegistry() {
        for (const char* file : kFaceFiles)
            entries_.push_back({std::string(TAVRIN_FONT_DIR) + "/" + file, 0});
    }
    ~FontRegistry() {
        sized_.clear();
        for (Entry& entry : entries_) {
            if (entry.face) FT_Done_Face(entry.face);
            if (entry.shaperFace) hb_face_destroy(entry.shaperFace);
        }
        if (library_) FT_Done_FreeType(library_);
        if (fontconfig_) FcConfigDestroy(fontconfig_);
    }

    // nullptr when the face file cannot be opened.
    FT_Face face(int faceId) {
        if (faceId < 0 || faceId >= static_cast<int>(entries_.size())) return nullptr;
        Entry& entry = entries_[faceId];
        if (!entry.tried) {
            entry.tried = true;
            if (!library_ && FT_Init_FreeType(&library_) != 0) library_ = nullptr;
            if (library_ && FT_New_Face(library_, entry.path.c_str(), entry.index, &entry.face) != 0)
                entry.face = nullptr;
        }
        return entry.face;
    }

    // HarfBuzz's view of the same face file; nullptr when it cannot be opened.
    hb_face_t* shaperFace(int faceId) {
        if (!face(faceId)) return nullptr;
        Entry& entry = entries_[faceId];
        if (!entry.shaperFace) {
            hb_blob_t* blob = hb_blob_create_from_file(entry.path.c_str());
            entry.shaperFace = hb_face_create(blob, static_cast<unsigned>(entry.index));
            hb_blob_destroy(blob);
        }
        return entry.shaperFace;
    }

    // The id of a face file found through fontconfig, registered on first use.
    int faceOf(const std::string& path, int index) {
        for (size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].path == path && entries_[i].index == index) return static_cast<int>(i);
        entries_.push_back({path, index});
        return static_cast<int>(entries_.size() - 1);
    }

    // The face that fontconfig offers for a code point (-1 when none has it), remembered.
    int fallbackFace(char32_t codePoint, bool emoji, std::string_view lang, int dejavuFace);

    SizedFont& sized(int faceId, int32_t size26_6) {
        auto key = std::make_pair(faceId, size26_6);
        auto it = sized_.find(key);
        if (it == sized_.end()) it = sized_.emplace(key, std::make_unique<SizedFont>(faceId, size26_6)).first;
        return *it->second;
    }

  private:
    struct Entry {
        std::string path;
        int index = 0;
        FT_Face face = nullptr;
        bool tried = false;
        hb_face_t* shaperFace = nullptr;
    };
    int match(char32_t codePoint, bool emoji, std::string_view lang, int dejavuFace);

    FT_Library library_ = nullptr;
    FcConfig* fontconfig_ = nullptr;
    bool fontconfigTried_ = false;
    std::vector<Entry> entries_;
    std::map<std::tuple<char32_t, bool, std::string, int>, int> fallbacks_;
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

// fontconfig's name for the generic family of a DejaVu face.
const char* genericFamily(int dejavuFace) {
    switch (static_cast<Family>(dejavuFace / kStyles)) {
    case Family::Serif:
        return "serif";
    case Family::Mono:
        return "monospace";
    default:
        return "sans-serif";
    }
}

int FontRegistry::fallbackFace(char32_t codePoint, bool emoji, std::string_view lang, int dejavuFace) {
    auto key = std::make_tuple(codePoint, emoji, std::string(lang), dejavuFace);
    auto it = fallbacks_.find(key);
    if (it == fallbacks_.end()) it = fallbacks_.emplace(key, match(codePoint, emoji, lang, dejavuFace)).first;
    return it->second;
}

int FontRegistry::match(char32_t codePoint, bool emoji, std::string_view lang, int dejavuFace) {
    if (!fontconfigTried_) {
        fontconfigTried_ = true;
        fontconfig_ = FcInitLoadConfigAndFonts();
    }
    if (!fontconfig_) return -1;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(genericFamily(dejavuFace)));
    const int style = dejavuFace % kStyles;
    FcPatternAddInteger(pattern, FC_WEIGHT, style & 1 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, style & 2 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, codePoint);
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcCharSetDestroy(wanted);
    if (!lang.empty())
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(std::string(lang).c_str()));
    if (emoji) FcPatternAddBool(pattern, FC_COLOR, FcTrue);
    FcConfigSubstitute(fontconfig_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    // The best match first; when it lacks the character, the first face in fontconfig's order
    // that has it.
    int found = -1;
    auto take = [&](FcPattern* font) {
        FcCharSet* has = nullptr;
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetCharSet(font, FC_CHARSET, 0, &has) != FcResultMatch ||
            !FcCharSetHasChar(has, codePoint))
            return false;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return false;
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        found = faceOf(reinterpret_cast<const char*>(file), index);
        return face(found) != nullptr;
    };
    FcResult result = FcResultNoMatch;
    if (FcPattern* best = FcFontMatch(fontconfig_, pattern, &result)) {
        take(best);
        FcPatternDestroy(best);
    }
    if (found < 0 || !face(found)) {
        found = -1;
        if (FcFontSet* all = FcFontSort(fontconfig_, pattern, FcFalse, nullptr, &result)) {
            for (int i = 0; i < all->nfont && found < 0; ++i)
                if (!take(all->fonts[i])) found = -1;
            FcFontSetDestroy(all);
        }
    }
    FcPatternDestroy(pattern);
    return found;
}

int32_t roundPixels(FT_Pos value26_6) {
    return static_cast<int32_t>((value26_6 + 32) >> 6);
}

bool setSize(FT_Face face, int32_t size26_6) {
    return FT_Set_Char_Size(face, 0, size26_6, 72, 72) == 0;
}

// A colour bitmap (an emoji) of a face that has only fixed sizes: the strike nearest above the
// wanted size, scaled down by averaging the source pixels that each target pixel covers.
Glyph loadColour(FT_Face face, uint32_t glyphIndex, int32_t size26_6) {
    Glyph glyph;
    if (face->num_fixed_sizes <= 0) return glyph;
    int strike = 0; // the smallest strike at least as large as wanted, else the largest
    for (int i = 1; i < face->num_fixed_sizes; ++i) {
        const FT_Pos best = face->available_sizes[strike].y_ppem, now = face->available_sizes[i].y_ppem;
        const bool bestBigEnough = best >= size26_6, nowBigEnough = now >= size26_6;
        if (bestBigEnough ? (nowBigEnough && now < best) : now > best) strike = i;
    }
    if (FT_Select_Size(face, strike) != 0) return glyph;
    if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_COLOR) != 0) return glyph;
    if (face->glyph->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return glyph;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const double ppem = face->available_sizes[strike].y_ppem / 64.0;
    const double scale = ppem > 0 ? size26_6 / 64.0 / ppem : 1.0;
    const auto sourceWidth = static_cast<int32_t>(bitmap.width),
               sourceRows = static_cast<int32_t>(bitmap.rows);
    glyph.advance = static_cast<int32_t>(std::lround(slot->advance.x / 64.0 * scale));
    glyph.left = static_cast<int32_t>(std::lround(slot->bitmap_left * scale));
    glyph.top = static_cast<int32_t>(std::lround(slot->bitmap_top * scale));
    glyph.width = std::max(1, static_cast<int32_t>(std::lround(sourceWidth * scale)));
    glyph.rows = std::max(1, static_cast<int32_t>(std::lround(sourceRows * scale)));
    if (bitmap.pixel_mode != FT_PIXEL_MODE_BGRA || sourceWidth == 0 || sourceRows == 0) {
        glyph.width = glyph.rows = 0;
        return glyph;
    }
    glyph.colour.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    for (int32_t y = 0; y < glyph.rows; ++y) {
        const int32_t sy0 = y * sourceRows / glyph.rows;
        const int32_t sy1 = std::max(sy0 + 1, (y + 1) * sourceRows / glyph.rows);
        for (int32_t x = 0; x < glyph.width; ++x) {
            const int32_t sx0 = x * sourceWidth / glyph.width;
            const int32_t sx1 = std::max(sx0 + 1, (x + 1) * sourceWidth / glyph.width);
            uint32_t sum[4] = {0, 0, 0, 0}; // b, g, r, a
            for (int32_t sy = sy0; sy < sy1; ++sy) {
                const unsigned char* row =
                    bitmap.buffer + static_cast<ptrdiff_t>(sy) * std::abs(bitmap.pitch);
                for (int32_t sx = sx0; sx < sx1; ++sx)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += row[sx * 4 + c];
            }
            const uint32_t n = static_cast<uint32_t>((sy1 - sy0) * (sx1 - sx0));
            auto mean = [&](int c) { return (sum[c] + n / 2) / n; };
            glyph.colour[static_cast<size_t>(y) * glyph.width + x] =
                mean(2) | mean(1) << 8 | mean(0) << 16 | mean(3) << 24;
        }
    }
    return glyph;
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
    for (char32_t c : text) {
        if (!isPlain(c)) return shapeLine(*this, text).width;
        const Glyph& g = glyph(c);
        if (!g.found) return shapeLine(*this, text).width;
        total += g.advance;
    }
    return total;
}

SizedFont::~SizedFont() {
    for (auto& [faceId, font] : shapers_)
        if (font) hb_font_destroy(font);
}

int SizedFont::faceFor(char32_t codePoint, bool emoji, std::string_view lang) {
    if (!emoji) {
        if (FT_Face own = registry().face(faceId_); own && FT_Get_Char_Index(own, codePoint)) return faceId_;
        for (int fallback : fallbacksOf(faceId_)) {
            FT_Face face = registry().face(fallback);
            if (face && FT_Get_Char_Index(face, codePoint)) return fallback;
        }
    }
    int found = registry().fallbackFace(codePoint, emoji, lang, faceId_);
    if (found < 0 && emoji) return faceFor(codePoint, false, lang);
    return found < 0 ? faceId_ : found;
}

const Glyph& SizedFont::faceGlyph(int faceId, uint32_t glyphIndex) {
    const uint64_t key = static_cast<uint64_t>(faceId) << 32 | glyphIndex;
    auto it = faceGlyphs_.find(key);
    if (it == faceGlyphs_.end()) {
        Glyph glyph = loadFrom(faceId, glyphIndex);
        glyph.found = glyphIndex != 0;
        it = faceGlyphs_.emplace(key, std::move(glyph)).first;
    }
    return it->second;
}

hb_font_t* SizedFont::shaper(int faceId) {
    auto it = shapers_.find(faceId);
    if (it != shapers_.end()) return it->second;
    hb_font_t* font = nullptr;
    if (hb_face_t* face = registry().shaperFace(faceId)) {
        font = hb_font_create(face);
        hb_font_set_scale(font, size26_6_, size26_6_); // positions come out in 26.6 pixels
    }
    return shapers_.emplace(faceId, font).first->second;
}

std::pair<int32_t, int32_t> SizedFont::faceMetrics(int faceId) {
    if (faceId == faceId_) return {ascent_, lineHeight_};
    auto it = metrics_.find(faceId);
    if (it != metrics_.end()) return it->second;
    std::pair<int32_t, int32_t> metrics{ascent_, lineHeight_};
    FT_Face face = registry().face(faceId);
    if (face && face->units_per_EM > 0) {
        const double scale = size26_6_ / 64.0 / face->units_per_EM;
        const auto ascent = static_cast<int32_t>(std::lround(face->ascender * scale));
        const auto descent = static_cast<int32_t>(std::lround(-face->descender * scale));
        metrics = {ascent, std::max(1, ascent + descent)};
    }
    return metrics_.emplace(faceId, metrics).first->second;
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
    Glyph box = own ? loadFrom(faceId_, 0) : Glyph{}; // the missing-glyph box
    box.found = false;
    return box;
}

Glyph SizedFont::loadFrom(int faceId, uint32_t glyphIndex) const {
    FT_Face face = registry().face(faceId);
    Glyph glyph;
    if (face && FT_HAS_COLOR(face) && !FT_IS_SCALABLE(face)) return loadColour(face, glyphIndex, size26_6_);
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
