// Glyph runs: layout, the cache of recent lines, and the blend.
//
// 1. Layout walks the code points, takes each glyph from the font and advances the pen by it;
//    glyphs without pixels (spaces, control characters) only move the pen. The first character
//    that is not plain hands the whole line to the shaper.
// 2. The cache is a fixed table of lines indexed by a hash of font and text; a line that lands on
//    a taken slot replaces it. Slots keep their room, so a warm cache allocates nothing.
// 3. The blend visits each glyph's mask rows inside the clip and mixes every covered pixel, rounded
//    to the nearest (full coverage gives the colour exactly); most of a mask is uncovered.
#include "platform/software/GlyphRun.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavrin::software {
namespace {

constexpr size_t kCachedRuns = 1024; // more than the rows of several screens of lists

// Places a plain character; false (and nothing placed) when the character needs the shaper.
bool place(SizedFont& font, char32_t codePoint, GlyphRun& run) {
    if (!isPlain(codePoint)) return false;
    const Glyph& glyph = font.glyph(codePoint);
    if (!glyph.found) return false;
    if (!glyph.coverage.empty()) run.glyphs.push_back({&glyph, run.width});
    run.width += glyph.advance;
    return true;
}

void startRun(SizedFont& font, GlyphRun& run) {
    run.glyphs.clear();
    run.width = 0;
    run.ascent = font.ascent();
    run.lineHeight = font.lineHeight();
    run.shaped = false;
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

// One mask row over n pixels. With SSE2 four pixels are mixed at once in 16-bit lanes, with the
// same rounding as blendCoverage: per channel x = c * a + d * (255 - a) + 128 stays below 65536,
// and (x + (x >> 8)) >> 8 is the rounded quotient. Four uncovered pixels in a row are skipped.
void blendSpan(uint32_t colour, uint32_t* row, const uint8_t* mask, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(128);
    const __m128i source = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(colour)), zero);
    for (; i + 4 <= n; i += 4) {
        uint32_t cover;
        std::memcpy(&cover, mask + i, sizeof cover);
        if (cover == 0) continue;
        // The coverage of each pixel in its four lanes.
        __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(cover)), zero);
        a = _mm_unpacklo_epi16(a, a);
        const __m128i aLow = _mm_unpacklo_epi32(a, a), aHigh = _mm_unpackhi_epi32(a, a);
        const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        auto mix = [&](__m128i d, __m128i cov) {
            __m128i x =
                _mm_add_epi16(_mm_mullo_epi16(source, cov), _mm_mullo_epi16(d, _mm_sub_epi16(full, cov)));
            x = _mm_add_epi16(x, half);
            return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
        };
        const __m128i low = mix(_mm_unpacklo_epi8(dst, zero), aLow);
        const __m128i high = mix(_mm_unpackhi_epi8(dst, zero), aHigh);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_packus_epi16(low, high));
    }
#endif
    for (; i < n; ++i)
        if (mask[i] != 0) row[i] = blendCoverage(colour, row[i], mask[i]);
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
        blendSpan(colour, row, mask, span);
    }
}

// Blends one colour bitmap (premultiplied) into the target, clipped.
void blendColourGlyph(const TextTarget& target, const Glyph& glyph, int32_t originX, int32_t originY) {
    const int32_t y0 = std::max(originY, target.clip.top);
    const int32_t y1 = std::min(originY + glyph.rows, target.clip.bottom);
    const int32_t x0 = std::max(originX, target.clip.left);
    const int32_t x1 = std::min(originX + glyph.width, target.clip.right);
    for (int32_t y = y0; y < y1; ++y) {
        const uint32_t* source = &glyph.colour[static_cast<size_t>(y - originY) * glyph.width];
        uint32_t* row = target.pixels + static_cast<size_t>(y) * target.width;
        for (int32_t x = x0; x < x1; ++x) {
            const uint32_t src = source[x - originX], a = src >> 24;
            if (a == 0) continue;
            uint32_t& px = row[x];
            auto over = [&](int shift) {
                const uint32_t s = (src >> shift) & 0xFF, d = (px >> shift) & 0xFF;
                return std::min<uint32_t>(255, s + (d * (255 - a) + 127) / 255) << shift;
            };
            px = over(0) | over(8) | over(16);
        }
    }
}

} // namespace

void layoutRun(SizedFont& font, std::u32string_view text, GlyphRun& run, TextDirection direction) {
    startRun(font, run);
    for (char32_t c : text)
        if (!place(font, c, run)) return shapeRun(font, text, direction, run);
}

void layoutRun(SizedFont& font, std::u16string_view text, GlyphRun& run) {
    startRun(font, run);
    for (char16_t c : text) // surrogates are never plain: such a line goes to the shaper
        if (!place(font, c, run)) return shapeRun(font, decodeUtf16(text), TextDirection::Auto, run);
}

GlyphRun shapeLine(SizedFont& font, std::u32string_view text, TextDirection direction) {
    GlyphRun run;
    layoutRun(font, text, run, direction);
    return run;
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
        const Glyph& glyph = *placed.glyph;
        const int64_t pen = int64_t{x} + placed.x;
        if (!run.shaped && pen >= target.clip.right) break; // later glyphs only start further right
        // A mark may stand left of its pen (a Thai mark at the end of a right-aligned line), so
        // shaped glyphs are tested by their own ink.
        const int64_t left = pen + glyph.left;
        if (left >= target.clip.right || left + glyph.width <= target.clip.left) continue;
        const int32_t top = baseline - glyph.top - placed.y;
        if (!glyph.colour.empty())
            blendColourGlyph(target, glyph, static_cast<int32_t>(left), top);
        else
            blendGlyph(target, glyph, static_cast<int32_t>(left), top);
    }
}

} // namespace tavrin::software
