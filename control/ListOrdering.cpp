// Sorting the items by text, and searching them.
//
// Order is a Shell sort with Knuth's gaps (1, 4, 13, 40, ...), ordinal and case-sensitive; it is not
// stable, and the order it leaves equal texts in is part of the control's behaviour (their images
// differ). When no two texts are equal every correct sort gives that same order, so the common case
// sorts an index permutation with std::sort and only lists with equal texts run the Shell sort.
// The selected flags do not travel: Order clears them all, makes no item current and goes back to
// the top. FindFirst compares upper-cased texts (the Basic Multilingual Plane mapped one to one).
#include <algorithm>
#include <string>
#include <clocale>
#include <cwctype>
#include <locale.h>

#include "tavrin/Tavrin.h"

namespace tavrin {

namespace {

enum class Direction { Ascending, Descending };

// Whether `left` belongs after `right` in the pass of the Shell sort: strictly greater ascending;
// less or equal descending (so equal texts are moved in descending order).
bool belongsAfter(const ItemText& left, const ItemText& right, Direction direction) {
    return direction == Direction::Ascending ? right < left : !(right < left);
}

void shellSort(std::vector<Item>& items, size_t n, Direction direction) {
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
                if (j < gap)
                    break;
            }
            items[j] = std::move(taken);
        }
    } while (gap > 1);
}

// A text to sort by, read in place, and where its item stands.
struct SortKey {
    const char16_t* data;
    uint32_t size;
    uint32_t index;
};

// Ordinal: code unit by code unit, a prefix before the longer text. Negative, zero or positive.
int compareKeys(const SortKey& a, const SortKey& b) {
    const int units = std::char_traits<char16_t>::compare(a.data, b.data, std::min(a.size, b.size));
    if (units != 0) return units;
    return a.size < b.size ? -1 : (a.size > b.size ? 1 : 0);
}

// Sorts distinct texts fast; returns false (leaving the items untouched) when two texts are equal.
bool sortDistinct(std::vector<Item>& items, size_t n, Direction direction) {
    std::vector<SortKey> keys(n);
    for (size_t i = 0; i < n; ++i)
        keys[i] = {items[i].Text.data(), static_cast<uint32_t>(items[i].Text.size()), static_cast<uint32_t>(i)};
    std::sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) { return compareKeys(a, b) < 0; });
    for (size_t k = 1; k < n; ++k)
        if (compareKeys(keys[k - 1], keys[k]) == 0) return false;
    if (direction == Direction::Descending) std::reverse(keys.begin(), keys.end());
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    for (const SortKey& key : keys)
        sorted.push_back(std::move(items[key.index]));
    for (size_t k = n; k < items.size(); ++k)
        sorted.push_back(std::move(items[k]));
    items = std::move(sorted);
    return true;
}

// Capitals of the Basic Multilingual Plane, as the host's locale-independent upper-casing gives
// them; surrogates map to themselves.
const std::vector<char16_t>& upperTable() {
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(0x10000);
        locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        for (uint32_t c = 0; c < 0x10000; ++c) {
            uint32_t upper = c;
            if (utf8 && (c < 0xD800 || c > 0xDFFF))
                upper = static_cast<uint32_t>(towupper_l(static_cast<wint_t>(c), utf8));
            else if (c >= 'a' && c <= 'z')
                upper = c - 32;
            t[c] = upper < 0x10000 ? static_cast<char16_t>(upper) : static_cast<char16_t>(c);
        }
        if (utf8)
            freelocale(utf8);
        return t;
    }();
    return table;
}

bool matchesAt(std::u16string_view text, size_t pos, const std::u16string& upperNeedle, const char16_t* upper) {
    for (size_t k = 0; k < upperNeedle.size(); ++k)
        if (upper[text[pos + k]] != upperNeedle[k])
            return false;
    return true;
}

// Whether the first occurrence of the needle lies at `wantFirst` (position 0) or after it.
bool firstOccurrenceFrom(std::u16string_view text, size_t from, const std::u16string& upperNeedle,
                         const char16_t* upper) {
    const size_t n = upperNeedle.size();
    if (text.size() < n)
        return false;
    const char16_t first = upperNeedle[0];
    for (size_t pos = from; pos + n <= text.size(); ++pos)
        if (upper[text[pos]] == first && matchesAt(text, pos, upperNeedle, upper))
            return true;
    return false;
}

} // namespace

void Tavrin::Order() {
    const size_t n = static_cast<size_t>(ListCount());
    if (n < 2)
        return;
    const Direction direction = OrderType_ == Descendent ? Direction::Descending : Direction::Ascending;
    if (!sortDistinct(p_Items, n, direction))
        shellSort(p_Items, n, direction);
    TAVRIN_VERIFY(p_Items.size() == n + 1 && p_Items.back().Text.empty());

    SetListIndex(-1);
    sbUC_->SetValue(0);
    p_Selected.assign(n + 1, 0);
    iUC_Paint();
}

// A negative StartIndex starts at the first item.
int16_t Tavrin::FindFirst(const std::u16string& fndString, int16_t startIndex, bool startWith) const {
    if (ListCount() == 0)
        RaiseInvalidArrayIndex();
    const char16_t* upper = upperTable().data();
    std::u16string needle = fndString;
    for (char16_t& c : needle)
        c = upper[c];

    for (int16_t i = std::max<int16_t>(startIndex, 0); i < ListCount(); ++i) {
        const std::u16string_view text = p_Items[i].Text;
        if (text.empty())
            continue; // nothing occurs in an empty text
        if (needle.empty()) {
            if (startWith)
                return i; // the empty text occurs at the first position
            continue;
        }
        const bool atStart = text.size() >= needle.size() && matchesAt(text, 0, needle, upper);
        if (startWith ? atStart : (!atStart && firstOccurrenceFrom(text, 1, needle, upper)))
            return i;
    }
    return -1;
}

} // namespace tavrin
