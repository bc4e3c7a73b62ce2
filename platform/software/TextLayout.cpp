// The layout and drawing of text in a rectangle.
//
// 1. The UTF-16 text becomes code points (a surrogate pair is one character).
// 2. Single-line: everything on one line, centred vertically with DT_VCENTER.
//    Word-break: each paragraph (split at line feeds) fills lines word by word, a line ends before
//    the word that would not fit; a word wider than the line stands alone and is cut at the edge.
//    Plain text breaks at spaces only, unless one of its words is wider than the line (plain text
//    that fits the line is the line, with no breaking to do); other text,
//    and such words, break where the Unicode rules allow (between ideographs, between Thai words,
//    after the slash of a path).
// 3. Each line is shaped (Text.h), aligned left, centred or right, drawn glyph by glyph into the
//    clip, then underlined or struck through over its own width. A line is as tall as the tallest
//    face that it uses, so lines of scripts with tall faces do not overlap.
#include <algorithm>
#include <climits>

#include "platform/software/GlyphRun.h"
#include "platform/software/Text.h"

namespace tavrin::software {
namespace {

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t';
}

void solidBar(const TextTarget& target, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    int32_t y0 = std::max(top, target.clip.top), y1 = std::min(bottom, target.clip.bottom);
    int32_t x0 = std::max(left, target.clip.left), x1 = std::min(right, target.clip.right);
    for (int32_t y = y0; y < y1; ++y)
        std::fill(target.pixels + static_cast<size_t>(y) * target.width + x0,
                  target.pixels + static_cast<size_t>(y) * target.width + std::max(x0, x1),
                  target.rgb & 0xFFFFFF);
}

// Lines of one paragraph of plain text (no line feed inside), appended to lines with offsets from
// base.
void breakAtSpaces(SizedFont& font, std::u32string_view text, size_t base, int32_t maxWidth,
                   std::vector<TextLine>& lines) {
    size_t lineBegin = 0, lineEnd = 0; // the current line, trailing spaces excluded
    int32_t lineWidth = 0;
    bool lineHasWord = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t wordBegin = pos;
        while (wordBegin < text.size() && isSpace(text[wordBegin]))
            ++wordBegin;
        size_t wordEnd = wordBegin;
        while (wordEnd < text.size() && !isSpace(text[wordEnd]))
            ++wordEnd;
        int32_t spaces = font.width(text.substr(pos, wordBegin - pos));
        int32_t word = font.width(text.substr(wordBegin, wordEnd - wordBegin));
        if (lineHasWord && lineWidth + spaces + word > maxWidth) {
            lines.push_back({base + lineBegin, base + lineEnd});
            lineBegin = wordBegin;
            lineWidth = word;
        } else {
            lineWidth += spaces + word;
        }
        lineEnd = wordEnd;
        lineHasWord = lineHasWord || wordEnd > wordBegin;
        pos = wordEnd;
    }
    lines.push_back({base + lineBegin, base + lineEnd});
}

// Lines of any other paragraph: each line takes the pieces between break opportunities while they
// fit; a piece that does not fit on a line of its own stands alone.
void breakAtOpportunities(SizedFont& font, std::u32string_view text, size_t base, int32_t maxWidth,
                          std::vector<TextLine>& lines) {
    const std::vector<bool> allowed = lineBreakOpportunities(text);
    auto trimmed = [&](size_t begin, size_t end) {
        while (end > begin && isSpace(text[end - 1]))
            --end;
        return end;
    };
    size_t lineBegin = 0;
    size_t taken = 0; // the end of the pieces on the line so far (lineBegin: none yet)
    for (size_t c = 1; c < text.size(); ++c) {
        if (!allowed[c]) continue;
        const size_t end = trimmed(lineBegin, c);
        if (taken > lineBegin && font.width(text.substr(lineBegin, end - lineBegin)) > maxWidth) {
            lines.push_back({base + lineBegin, base + trimmed(lineBegin, taken)});
            lineBegin = taken;
        }
        taken = c;
    }
    if (taken > lineBegin && font.width(text.substr(lineBegin)) > maxWidth) {
        lines.push_back({base + lineBegin, base + trimmed(lineBegin, taken)});
        lineBegin = taken;
    }
    lines.push_back({base + lineBegin, base + text.size()});
}

// True when a word of plain text (between spaces) is wider than the line: a path or an address,
// which then breaks after its slashes and hyphens rather than being cut.
bool hasOverlongWord(SizedFont& font, std::u32string_view text, int32_t maxWidth) {
    int32_t word = 0;
    for (char32_t c : text) {
        word = isSpace(c) ? 0 : word + font.glyph(c).advance;
        if (word > maxWidth) return true;
    }
    return false;
}

void breakParagraph(SizedFont& font, std::u32string_view text, size_t base, int32_t maxWidth,
                    std::vector<TextLine>& lines) {
    if (drawsUnshaped(font, text) && !hasOverlongWord(font, text, maxWidth))
        breakAtSpaces(font, text, base, maxWidth, lines);
    else
        breakAtOpportunities(font, text, base, maxWidth, lines);
}

// Rectangles may be as wide as 32 bits allow: positions are worked out in 64 bits and clamped.
int32_t clamped(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int32_t alignedLeft(const platform::RECT& rect, int32_t lineWidth, uint32_t format) {
    const int64_t room = int64_t{rect.right} - rect.left - lineWidth;
    if (format & platform::DT_CENTER) return clamped(rect.left + room / 2);
    if (format & platform::DT_RIGHT) return clamped(int64_t{rect.right} - lineWidth);
    return rect.left;
}

} // namespace

std::u32string decodeUtf16(std::u16string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out.push_back(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(high || low ? U'\uFFFD' : static_cast<char32_t>(c));
        }
    }
    return out;
}

std::vector<TextLine> breakLines(SizedFont& font, std::u32string_view text, int32_t maxWidth) {
    std::vector<TextLine> lines;
    size_t begin = 0;
    while (true) {
        size_t feed = text.find(U'\n', begin);
        size_t end = feed == std::u32string_view::npos ? text.size() : feed;
        size_t contentEnd = end > begin && text[end - 1] == U'\r' ? end - 1 : end;
        breakParagraph(font, text.substr(begin, contentEnd - begin), begin, maxWidth, lines);
        if (feed == std::u32string_view::npos) break;
        begin = feed + 1;
    }
    return lines;
}

int32_t drawTextLine(const TextTarget& target, SizedFont& font, std::u32string_view text, int32_t x,
                     int32_t top, TextDecoration decoration) {
    thread_local GlyphRun run; // keeps its room from line to line
    layoutRun(font, text, run);
    return drawRunLine(target, font, run, x, top, decoration);
}

int32_t drawRunLine(const TextTarget& target, SizedFont& font, const GlyphRun& run, int32_t x, int32_t top,
                    TextDecoration decoration) {
    // A line wholly above or below the clip draws nothing (and keeps the arithmetic in range).
    if (top >= target.clip.bottom || int64_t{top} + run.lineHeight <= target.clip.top) return run.width;
    const int32_t baseline = top + run.ascent;
    drawGlyphRun(target, run, x, baseline);
    const int32_t thick = font.lineThickness();
    const int32_t right = clamped(int64_t{x} + run.width);
    if (has(decoration, TextDecoration::Underline)) {
        int32_t y = baseline + font.underlineOffset();
        solidBar(target, x, y, right, y + thick);
    }
    if (has(decoration, TextDecoration::Strikethrough)) {
        int32_t y = baseline - font.strikeOffset();
        solidBar(target, x, y, right, y + thick);
    }
    return run.width;
}

int32_t drawTextBlock(TextTarget target, SizedFont& font, std::u16string_view text,
                      const platform::RECT& rect, uint32_t format, TextDecoration decoration) {
    target.clip = {std::max(target.clip.left, rect.left), std::max(target.clip.top, rect.top),
                   std::min(target.clip.right, rect.right), std::min(target.clip.bottom, rect.bottom)};
    if (format & platform::DT_SINGLELINE) {
        const GlyphRun& run = cachedRun(font, text);
        int32_t top = rect.top;
        if (format & platform::DT_VCENTER)
            top = clamped(rect.top + (int64_t{rect.bottom} - rect.top - run.lineHeight) / 2);
        drawRunLine(target, font, run, alignedLeft(rect, run.width, format), top, decoration);
        return clamped(int64_t{top} - rect.top + run.lineHeight);
    }
    const int32_t maxWidth = clamped(int64_t{rect.right} - rect.left);
    // Plain text without a line end that fits the width never breaks (its widths only add up):
    // it is one line, the same run a single-line draw of it takes.
    if (text.find_first_of(u"\r\n") == std::u16string_view::npos) {
        const GlyphRun& run = cachedRun(font, text);
        if (!run.shaped && run.width <= maxWidth) {
            drawRunLine(target, font, run, alignedLeft(rect, run.width, format), rect.top, decoration);
            return run.lineHeight;
        }
    }
    const std::u32string chars = decodeUtf16(text);
    const std::vector<TextLine> lines = breakLines(font, chars, maxWidth);
    thread_local GlyphRun run; // keeps its room from line to line
    int64_t top = rect.top;
    for (const TextLine& piece : lines) {
        const std::u32string_view line(chars.data() + piece.begin, piece.end - piece.begin);
        if (top >= target.clip.bottom) { // below the clip: measured, not drawn
            top += drawsUnshaped(font, line) ? font.lineHeight() : shapeLine(font, line).lineHeight;
            continue;
        }
        // Every line of a paragraph runs in the paragraph's direction.
        const size_t feed = chars.rfind(U'\n', piece.begin);
        const size_t paragraph = feed == std::u32string::npos ? 0 : feed + 1;
        layoutRun(font, line, run, paragraphDirection(std::u32string_view(chars).substr(paragraph)));
        drawRunLine(target, font, run, alignedLeft(rect, run.width, format), static_cast<int32_t>(top),
                    decoration);
        top += run.lineHeight;
    }
    return clamped(top - rect.top);
}

} // namespace tavrin::software
