// Where wrapped text may end a line.
//
// 1. The Unicode line-breaking rules (libunibreak) give the places between characters where a line
//    may end: after spaces, between ideographs, after the slash or hyphen of a path or address.
// 2. Thai writes no spaces between words: a dictionary (libthai) finds the words of each stretch of
//    Thai letters, and a line may end between them.
#include <memory>

#include <linebreak.h>
#include <thai/thbrk.h>
#include <thai/thwbrk.h>

#include "platform/software/Text.h"

namespace tavrin::software {
namespace {

bool isThai(char32_t c) {
    return c >= 0x0E01 && c <= 0x0E5B;
}

// The word breaker with its dictionary, opened once; nullptr without the dictionary.
ThBrk* thaiBreaker() {
    struct Holder {
        ThBrk* breaker = th_brk_new(nullptr);
        ~Holder() {
            if (breaker) th_brk_delete(breaker);
        }
    };
    static Holder holder;
    return holder.breaker;
}

void addThaiWords(std::u32string_view paragraph, std::vector<bool>& allowed) {
    ThBrk* breaker = thaiBreaker();
    if (!breaker) return;
    for (size_t begin = 0; begin < paragraph.size();) {
        if (!isThai(paragraph[begin])) {
            ++begin;
            continue;
        }
        size_t end = begin;
        while (end < paragraph.size() && isThai(paragraph[end]))
            ++end;
        std::wstring word(paragraph.begin() + static_cast<ptrdiff_t>(begin),
                          paragraph.begin() + static_cast<ptrdiff_t>(end));
        std::vector<int> positions(word.size() + 1);
        const int found = th_brk_wc_find_breaks(breaker, reinterpret_cast<const thwchar_t*>(word.c_str()),
                                                positions.data(), positions.size());
        for (int i = 0; i < found; ++i)
            if (positions[i] > 0 && static_cast<size_t>(positions[i]) < word.size())
                allowed[begin + static_cast<size_t>(positions[i])] = true;
        begin = end;
    }
}

} // namespace

std::vector<bool> lineBreakOpportunities(std::u32string_view paragraph) {
    static const bool ready = (init_linebreak(), true);
    (void)ready;
    std::vector<bool> allowed(paragraph.size(), false);
    if (paragraph.empty()) return allowed;
    std::vector<char> breaks(paragraph.size());
    set_linebreaks_utf32(reinterpret_cast<const utf32_t*>(paragraph.data()), paragraph.size(), nullptr,
                         breaks.data());
    // breaks[i] tells about the place after character i.
    for (size_t i = 0; i + 1 < paragraph.size(); ++i)
        allowed[i + 1] = breaks[i] == LINEBREAK_ALLOWBREAK || breaks[i] == LINEBREAK_MUSTBREAK;
    addThaiWords(paragraph, allowed);
    return allowed;
}

} // namespace tavrin::software
