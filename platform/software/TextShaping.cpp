// The shaping of one line of text into positioned glyphs.
//
// 1. A line whose every character is plain (drawsUnshaped) never comes here: layoutRun places it
//    character by character from the DejaVu faces, so plain Latin text looks and measures the same
//    whatever else the surface draws, and costs no shaping.
// 2. Otherwise FriBidi gives every character its embedding level within the paragraph's direction.
// 3. Every character gets the face that draws it (SizedFont::faceFor); marks, joiners and variation
//    selectors stay in the face of the character they belong to. A run ends where the level, the
//    script or the face changes.
// 4. HarfBuzz shapes each run (right-to-left runs come out in visual order); the runs are put in
//    visual order, the highest levels reversed first.
// 5. Pen positions add up in 26.6 pixels and are rounded where each glyph is placed, so joined
//    letters meet.
#include <algorithm>
#include <string>

#include <fribidi.h>
#include <hb.h>

#include "platform/software/GlyphRun.h"
#include "platform/software/Text.h"

namespace tavrin::software {
namespace {} // namespace

bool isPlain(char32_t c) {
    if (c < 0x0300) return true;
    if (c >= 0x0370 && c <= 0x0482) return true; // Greek, Cyrillic letters
    if (c >= 0x048A && c <= 0x052F) return true;
    if (c >= 0x1E00 && c <= 0x1FFF) return true; // Latin and Greek extended
    if (c >= 0x2010 && c <= 0x2027) return true; // dashes, quotes, bullets
    if (c >= 0x2030 && c <= 0x205E) return true;
    if (c >= 0x20A0 && c <= 0x20BF) return true; // currency
    if (c >= 0x2100 && c <= 0x23FF) return true; // letterlike, arrows, mathematics, technical
    if (c >= 0x2500 && c <= 0x25FF) return true; // box drawing, blocks, shapes
    return c == 0xFFFD;
}

namespace {

bool isEmojiBase(char32_t c) {
    return (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0x1F1E6 && c <= 0x1F1FF);
}

// Characters that belong to the one before them and are drawn by its face.
bool joinsPrevious(hb_unicode_funcs_t* unicode, char32_t c) {
    if (c == 0x200C || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0020 && c <= 0xE007F) ||
        (c >= 0x1F3FB && c <= 0x1F3FF) || c == 0x20E3)
        return true;
    switch (hb_unicode_general_category(unicode, c)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
        return true;
    default:
        return false;
    }
}

bool isCjk(hb_script_t script) {
    return script == HB_SCRIPT_HAN || script == HB_SCRIPT_HIRAGANA || script == HB_SCRIPT_KATAKANA ||
           script == HB_SCRIPT_HANGUL || script == HB_SCRIPT_BOPOMOFO;
}

// The language of the Han characters of a line, so that each reader gets the forms of their own
// country: Japanese when kana are present, Korean with Hangul, else simplified Chinese.
const char* hanLanguage(std::u32string_view text) {
    for (char32_t c : text) {
        if ((c >= 0x3040 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF)) return "ja";
        if ((c >= 0xAC00 && c <= 0xD7AF) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F))
            return "ko";
    }
    return "zh-cn";
}

struct Run {
    size_t begin = 0, end = 0;
    FriBidiLevel level = 0;
    hb_script_t script = HB_SCRIPT_COMMON;
    int face = 0;
};

// Scripts of every character, Common and Inherited ones taking the script around them.
std::vector<hb_script_t> scriptsOf(hb_unicode_funcs_t* unicode, std::u32string_view text) {
    std::vector<hb_script_t> scripts(text.size(), HB_SCRIPT_COMMON);
    hb_script_t last = HB_SCRIPT_COMMON;
    for (size_t i = 0; i < text.size(); ++i) {
        hb_script_t s = hb_unicode_script(unicode, text[i]);
        if (s == HB_SCRIPT_COMMON || s == HB_SCRIPT_INHERITED || s == HB_SCRIPT_UNKNOWN) s = last;
        scripts[i] = last = s;
    }
    // The leading characters without a script of their own take the first real one.
    const auto first =
        std::find_if(scripts.begin(), scripts.end(), [](hb_script_t s) { return s != HB_SCRIPT_COMMON; });
    if (first != scripts.end()) std::fill(scripts.begin(), first, *first);
    return scripts;
}

std::vector<FriBidiLevel> levelsOf(std::u32string_view text, TextDirection direction) {
    const auto size = static_cast<FriBidiStrIndex>(text.size());
    const auto* chars = reinterpret_cast<const FriBidiChar*>(text.data());
    std::vector<FriBidiCharType> types(text.size());
    std::vector<FriBidiBracketType> brackets(text.size());
    std::vector<FriBidiLevel> levels(text.size(), 0);
    fribidi_get_bidi_types(chars, size, types.data());
    fribidi_get_bracket_types(chars, size, types.data(), brackets.data());
    FriBidiParType base = direction == TextDirection::RightToLeft   ? FRIBIDI_PAR_RTL
                          : direction == TextDirection::LeftToRight ? FRIBIDI_PAR_LTR
                                                                    : FRIBIDI_PAR_ON;
    if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), size, &base, levels.data()) == 0)
        std::fill(levels.begin(), levels.end(), 0);
    return levels;
}

std::vector<Run> runsOf(SizedFont& font, std::u32string_view text, TextDirection direction) {
    hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
    const std::vector<FriBidiLevel> levels = levelsOf(text, direction);
    const std::vector<hb_script_t> scripts = scriptsOf(unicode, text);
    const char* han = nullptr;
    std::vector<Run> runs;
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        int face = -1;
        if (i > 0 && joinsPrevious(unicode, c)) face = runs.back().face;
        if (face < 0) {
            const bool emoji = isEmojiBase(c) || (i + 1 < text.size() && text[i + 1] == 0xFE0F);
            const char* lang = "";
            if (isCjk(scripts[i])) lang = han ? han : (han = hanLanguage(text));
            face = font.faceFor(c, emoji, lang);
        }
        if (runs.empty() || runs.back().level != levels[i] || runs.back().script != scripts[i] ||
            runs.back().face != face)
            runs.push_back({i, i, levels[i], scripts[i], face});
        runs.back().end = i + 1;
    }
    return runs;
}

// The runs' indices in visual order: from the highest level down to the lowest odd one, every
// stretch of runs at that level or above is reversed.
std::vector<size_t> visualOrder(const std::vector<Run>& runs) {
    std::vector<size_t> order(runs.size());
    FriBidiLevel highest = 0, lowestOdd = 255;
    for (size_t i = 0; i < runs.size(); ++i) {
        order[i] = i;
        highest = std::max(highest, runs[i].level);
        if (runs[i].level % 2) lowestOdd = std::min(lowestOdd, runs[i].level);
    }
    for (int level = highest; level >= lowestOdd && level > 0; --level) {
        for (size_t i = 0; i < order.size();) {
            if (runs[order[i]].level < level) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < order.size() && runs[order[j]].level >= level)
                ++j;
            std::reverse(order.begin() + static_cast<ptrdiff_t>(i),
                         order.begin() + static_cast<ptrdiff_t>(j));
            i = j;
        }
    }
    return order;
}

int32_t roundedPixels(int64_t value26_6) {
    return static_cast<int32_t>((value26_6 + 32) >> 6);
}

// Shapes one run and appends its glyphs from pen (26.6) on; returns the new pen.
int64_t placeRun(SizedFont& font, std::u32string_view text, const Run& run, int64_t pen, GlyphRun& line) {
    hb_font_t* shaper = font.shaper(run.face);
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf32(buffer, reinterpret_cast<const uint32_t*>(text.data()), static_cast<int>(text.size()),
                        static_cast<unsigned>(run.begin), static_cast<int>(run.end - run.begin));
    hb_buffer_set_direction(buffer, run.level % 2 ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, run.script);
    if (isCjk(run.script)) hb_buffer_set_language(buffer, hb_language_from_string(hanLanguage(text), -1));
    hb_buffer_set_flags(buffer, HB_BUFFER_FLAG_REMOVE_DEFAULT_IGNORABLES);
    hb_buffer_guess_segment_properties(buffer);
    if (shaper) hb_shape(shaper, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    for (unsigned i = 0; shaper && i < count; ++i) {
        const Glyph& glyph = font.faceGlyph(run.face, infos[i].codepoint);
        line.glyphs.push_back(
            {&glyph, roundedPixels(pen + positions[i].x_offset), roundedPixels(positions[i].y_offset)});
        pen += positions[i].x_advance;
    }
    hb_buffer_destroy(buffer);
    return pen;
}

} // namespace

bool drawsUnshaped(SizedFont& font, std::u32string_view text) {
    for (char32_t c : text)
        if (!isPlain(c) || !font.glyph(c).found) return false;
    return true;
}

TextDirection paragraphDirection(std::u32string_view text) {
    for (char32_t c : text) {
        const FriBidiCharType type = fribidi_get_bidi_type(c);
        if (FRIBIDI_IS_LETTER(type))
            return FRIBIDI_IS_RTL(type) ? TextDirection::RightToLeft : TextDirection::LeftToRight;
    }
    return TextDirection::LeftToRight;
}

void shapeRun(SizedFont& font, std::u32string_view text, TextDirection direction, GlyphRun& line) {
    line.glyphs.clear();
    line.width = 0;
    line.ascent = font.ascent();
    line.lineHeight = font.lineHeight();
    line.shaped = true;
    // Control characters draw nothing and take no room, as in unshaped lines.
    std::u32string chars(text);
    for (char32_t& c : chars)
        if (c < 0x20 || c == 0x7F) c = 0x200B;
    const std::vector<Run> runs = runsOf(font, chars, direction);
    int32_t descent = line.lineHeight - line.ascent;
    int64_t pen = 0;
    for (size_t index : visualOrder(runs)) {
        pen = placeRun(font, chars, runs[index], pen, line);
        const auto [ascent, height] = font.faceMetrics(runs[index].face);
        line.ascent = std::max(line.ascent, ascent);
        descent = std::max(descent, height - ascent);
    }
    line.lineHeight = line.ascent + descent;
    line.width = roundedPixels(pen);
}

} // namespace tavrin::software
