// Glyph runs: layout, the cache of recent lines, and the blend.
//
// 1. Layout walks the code points, takes each glyph from the font and advances the pen by it;
//    glyphs without pixels (spaces, control characters) only move the pen.
// 2. The cache is a fixed table of lines indexed by a hash of font and text; a line that lands on
//    a taken slot replaces it. Slots keep their room, so a warm cache allocates nothing.
// 3. The blend visits each glyph's mask rows inside the clip; full coverage stores the colour,
//    none leaves the pixel, anything between mixes, rounded to the nearest.
#include "platform/software/GlyphRun.h"

#include <algorithm>
#include <array>
#include <memory>

namespace tavrin::software {
namespace {

constexpr size_t kCachedRuns = 1024; // more than the rows of several screens of lists

void place(SizedFont& font, char32_t codePoint, GlyphRun& run) {
    const Glyph& glyph = font.glyph(codePoint);
    if (!glyph.coverage.empty()) run.glyphs.push_back({&glyph, run.width});
    run.width += glyph.advance;
}

struct CachedRun {
    const SizedFont* font = nullptr;
    std::u16string text;
    GlyphRun run;
};

uint64_t hashOf(const SizedFont* font, std::u16string_view text) {
    uint64_t h = 1469598103934665603ull ^ reinterpret_cast<uintptr_t>(font);
    for (char16_t c : text)
        h = (h ^ c) * 1099511628211ull;
    return h ^ (h >> 29);
}

void blendGlyph(const TextTarget& target, const Glyph& glyph, int32_t originX, int32_t originY) {
    const uint32_t colour = target.rgb & 0xFFFFFF;
    const int32_t y0 = std::max(originY, target.clip.top);
    const int32_t y1 = std::min(originY + glyph.rows, target.clip.bottom);
    const int32_t x0 = std::max(originX, target.clip.left);
    const int32_t x1 = std::min(originX + glyph.width, target.clip.right);
    if (x0 >= x1) return;
    const auto span = static_cast<size_t>(x1 - x0);
    for (int32_t y = y0; y < y1; ++y) {
        const uint8_t* mask =
            glyph.coverage.data() + static_cast<size_t>(y - originY) * glyph.width + (x0 - originX);
        uint32_t* row = target.pixels + static_cast<size_t>(y) * target.width + x0;
        for (size_t i = 0; i < span; ++i) {
            const uint32_t a = mask[i];
            if (a == 0) continue;
            row[i] = a == 255 ? colour : blendCoverage(colour, row[i], a);
        }
    }
}

} // namespace

void layoutRun(SizedFont& font, std::u32string_view text, GlyphRun& run) {
    run.glyphs.clear();
    run.width = 0;
    for (char32_t c : text)
        place(font, c, run);
}

void layoutRun(SizedFont& font, std::u16string_view text, GlyphRun& run) {
    run.glyphs.clear();
    run.width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0xD800 || c > 0xDFFF) {
            place(font, c, run);
            continue;
        }
        const bool high = c <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            place(font, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00), run);
            ++i;
        } else {
            place(font, U'\uFFFD', run);
        }
    }
}

const GlyphRun& cachedRun(SizedFont& font, std::u16string_view text) {
    thread_local std::unique_ptr<std::array<CachedRun, kCachedRuns>> cache;
    if (!cache) cache = std::make_unique<std::array<CachedRun, kCachedRuns>>();
    CachedRun& slot = (*cache)[hashOf(&font, text) % kCachedRuns];
    if (slot.font != &font || slot.text != text) {
        slot.font = &font;
        slot.text.assign(text);
        layoutRun(font, text, slot.run);
    }
    return slot.run;
}

void drawGlyphRun(const TextTarget& target, const GlyphRun& run, int32_t x, int32_t baseline) {
    for (const PositionedGlyph& placed : run.glyphs) {
        const int32_t pen = x + placed.x;
        if (pen >= target.clip.right) break; // later glyphs only start further right
        blendGlyph(target, *placed.glyph, pen + placed.glyph->left, baseline - placed.glyph->top);
    }
}

} // namespace tavrin::software
