// Sorting the items by text, and searching them.
//
// Order is a Shell sort with Knuth's gaps (1, 4, 13, 40, ...), ordinal and case-sensitive; it is not
// stable, and the order it leaves equal texts in is part of the control's behaviour (their images
// differ). When no two texts are equal every correct sort gives that same order, so the common case
// sorts an index permutation with std::sort and only lists with equal texts run the Shell sort.
// The selected flags do not travel: Order clears them all, makes no item current and goes back to
// the top. FindFirst compares upper-cased texts (the Basic Multilingual Plane mapped one to one).
#include <algorithm>
#include <array>
#include <bit>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "tavrin/Tavrin.h"
#include "tavrin/automation/TextCase.h"

namespace tavrin {

namespace {

enum class Direction { Ascending, Descending };

// Whether `left` belongs after `right` in the pass of the Shell sort: strictly greater ascending;
// less or equal descending (so equal texts are moved in descending order).
bool belongsAfter(const ItemText& left, const ItemText& right, Direction direction) {
    return direction == Direction::Ascending ? right < left : !(right < left);
}

void shellSort(ItemStorage& items, size_t n, Direction direction) {
    size_t gap = 1;
    while (gap <= n)
        gap = 3 * gap + 1;
    do {
        gap /= 3;
        for (size_t i = gap; i < n; ++i) {
            Item taken = std::move(items[i]);
            size_t j = i;
            while (belongsAfter(items[j - gap].Text, taken.Text, direction)) {
                items[j] = std::move(items[j - gap]);
                j -= gap;
                if (j < gap) break;
            }
            items[j] = std::move(taken);
        }
    } while (gap > 1);
}

// A text to sort by, read in place, and where its item stands. `prefix` packs the four code units
// after the prefix that all texts share (0 past a text's end), first unit highest, so that
// comparing prefixes as numbers orders them as the texts; only equal prefixes read the texts.
struct SortKey {
    uint64_t prefix;
    const char16_t* data;
    uint32_t size;
    uint32_t index;
};

// How many leading code units every one of the first n texts shares.
size_t sharedPrefix(const ItemStorage& items, size_t n) {
    const std::u16string_view first = items[0].Text;
    size_t shared = first.size();
    for (size_t i = 1; i < n && shared > 0; ++i) {
        const std::u16string_view text = items[i].Text;
        const size_t limit = std::min(shared, text.size());
        size_t k = 0;
        while (k < limit && text[k] == first[k])
            ++k;
        shared = k;
    }
    return shared;
}

uint64_t packPrefix(std::u16string_view text, size_t from) {
    uint64_t packed = 0;
    for (size_t k = from; k < from + 4; ++k)
        packed = (packed << 16) | (k < text.size() ? text[k] : 0u);
    return packed;
}

// Ordinal from `from` on (the units before it are equal): code unit by code unit, a prefix
// before the longer text. Negative, zero or positive.
int compareTails(const SortKey& a, const SortKey& b, size_t from) {
    const size_t common = std::min(a.size, b.size);
    for (size_t k = from; k < common; ++k)
        if (a.data[k] != b.data[k]) return a.data[k] < b.data[k] ? -1 : 1;
    return a.size < b.size ? -1 : (a.size > b.size ? 1 : 0);
}

// Sorts distinct texts fast; returns false (leaving the items untouched) when two texts are equal.
bool sortDistinct(ItemStorage& items, size_t n, Direction direction) {
    const size_t shared = sharedPrefix(items, n);
    std::vector<SortKey> keys(n);
    for (size_t i = 0; i < n; ++i) {
        const std::u16string_view text = items[i].Text;
        keys[i] = {packPrefix(text, shared), text.data(), static_cast<uint32_t>(text.size()),
                   static_cast<uint32_t>(i)};
    }
    std::sort(keys.begin(), keys.end(), [shared](const SortKey& a, const SortKey& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        return compareTails(a, b, shared) < 0;
    });
    for (size_t k = 1; k < n; ++k)
        if (keys[k - 1].prefix == keys[k].prefix && compareTails(keys[k - 1], keys[k], shared) == 0)
            return false;
    if (direction == Direction::Descending) std::reverse(keys.begin(), keys.end());
    // Position k takes the item at keys[k].index: walk each cycle of that permutation once,
    // marking a position done by pointing its key at itself.
    for (size_t start = 0; start < n; ++start) {
        if (keys[start].index == start) continue;
        Item held = std::move(items[start]);
        size_t to = start;
        for (size_t from = keys[to].index; from != start; from = keys[to].index) {
            items[to] = std::move(items[from]);
            keys[to].index = static_cast<uint32_t>(to);
            to = from;
        }
        items[to] = std::move(held);
        keys[to].index = static_cast<uint32_t>(to);
    }
    return true;
}

bool matchesAt(std::u16string_view text, size_t pos, const std::u16string& upperNeedle,
               const char16_t* upper) {
    for (size_t k = 0; k < upperNeedle.size(); ++k)
        if (upper[text[pos + k]] != upperNeedle[k]) return false;
    return true;
}

// The code units whose capital is `capital`: where a needle that starts with `capital` can start.
// Usually one or two (a letter's small and capital form), a few more for letters such as long s.
struct FirstUnits {
    std::array<char16_t, 4> units{};
    size_t count = 0;
    bool overflow = false; // more than four: looked for through the table instead
};

FirstUnits unitsWithCapital(char16_t capital, const char16_t* upper) {
    FirstUnits found;
    const auto take = [&](uint32_t unit) {
        if (found.count == found.units.size())
            found.overflow = true;
        else
            found.units[found.count++] = static_cast<char16_t>(unit);
    };
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(static_cast<int16_t>(capital));
    for (uint32_t base = 0; base < 0x10000; base += 8) {
        const __m128i capitals = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + base));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(capitals, wanted)));
        for (; mask != 0; mask &= mask - 1, mask &= mask - 1) // two mask bits per unit
            take(base + static_cast<uint32_t>(std::countr_zero(mask)) / 2);
    }
#else
    for (uint32_t unit = 0; unit < 0x10000; ++unit)
        if (upper[unit] == capital) take(unit);
#endif
    return found;
}

// Whether the needle occurs at position `from` or after it. The units that may start it are
// looked for eight at a time; only where one stands is the rest compared.
bool occursFrom(std::u16string_view text, size_t from, const std::u16string& upperNeedle,
                const char16_t* upper, const FirstUnits& first) {
    const size_t n = upperNeedle.size();
    if (text.size() < n) return false;
    const size_t last = text.size() - n; // the last position the needle fits at
    size_t pos = from;
#if defined(__SSE2__)
    if (!first.overflow && first.count > 0) {
        const auto unit = [&](size_t k) {
            return _mm_set1_epi16(static_cast<int16_t>(first.units[k < first.count ? k : 0]));
        };
        const __m128i wanted[4] = {unit(0), unit(1), unit(2), unit(3)};
        for (; pos + 8 <= text.size() && pos <= last; pos += 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + pos));
            const __m128i hits = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi16(units, wanted[0]), _mm_cmpeq_epi16(units, wanted[1])),
                _mm_or_si128(_mm_cmpeq_epi16(units, wanted[2]), _mm_cmpeq_epi16(units, wanted[3])));
            for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0;
                 mask &= mask - 1, mask &= mask - 1) {
                const size_t at = pos + static_cast<size_t>(std::countr_zero(mask)) / 2;
                if (at > last) return false;
                if (matchesAt(text, at, upperNeedle, upper)) return true;
            }
        }
    }
#else
    (void)first;
#endif
    const char16_t capital = upperNeedle[0];
    for (; pos <= last; ++pos)
        if (upper[text[pos]] == capital && matchesAt(text, pos, upperNeedle, upper)) return true;
    return false;
}

} // namespace

void Tavrin::Order() {
    const size_t n = static_cast<size_t>(ListCount());
    if (n < 2) return;
    const Direction direction =
        OrderType_ == OrderTypeCts::Descendent ? Direction::Descending : Direction::Ascending;
    if (!sortDistinct(p_Items, n, direction)) shellSort(p_Items, n, direction);
    TAVRIN_VERIFY(p_Items.size() == n + 1 && p_Items.back().Text.empty());

    SetListIndex(-1);
    sbUC_->SetValue(0);
    p_Selected.assign(n + 1, 0);
    iUC_Paint();
}

// A negative StartIndex starts at the first item.
int16_t Tavrin::FindFirst(const std::u16string& fndString, int16_t startIndex, bool startWith) const {
    if (ListCount() == 0) RaiseInvalidArrayIndex();
    const char16_t* upper = upperCaseTable();
    std::u16string needle = fndString;
    for (char16_t& c : needle)
        c = upper[c];
    const FirstUnits first = needle.empty() || startWith ? FirstUnits{} : unitsWithCapital(needle[0], upper);

    for (int16_t i = std::max<int16_t>(startIndex, 0); i < ListCount(); ++i) {
        const std::u16string_view text = p_Items[i].Text;
        if (text.empty()) continue; // nothing occurs in an empty text
        if (needle.empty()) {
            if (startWith) return i; // the empty text occurs at the first position
            continue;
        }
        const bool atStart = text.size() >= needle.size() && matchesAt(text, 0, needle, upper);
        if (startWith ? atStart : (!atStart && occursFrom(text, 1, needle, upper, first))) return i;
    }
    return -1;
}

} // namespace tavrin
