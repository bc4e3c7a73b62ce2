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

// Whether the first occurrence of the needle lies at `wantFirst` (position 0) or after it.
bool firstOccurrenceFrom(std::u16string_view text, size_t from, const std::u16string& upperNeedle,
                         const char16_t* upper) {
    const size_t n = upperNeedle.size();
    if (text.size() < n) return false;
    const char16_t first = upperNeedle[0];
    for (size_t pos = from; pos + n <= text.size(); ++pos)
        if (upper[text[pos]] == first && matchesAt(text, pos, upperNeedle, upper)) return true;
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

    for (int16_t i = std::max<int16_t>(startIndex, 0); i < ListCount(); ++i) {
        const std::u16string_view text = p_Items[i].Text;
        if (text.empty()) continue; // nothing occurs in an empty text
        if (needle.empty()) {
            if (startWith) return i; // the empty text occurs at the first position
            continue;
        }
        const bool atStart = text.size() >= needle.size() && matchesAt(text, 0, needle, upper);
        if (startWith ? atStart : (!atStart && firstOccurrenceFrom(text, 1, needle, upper))) return i;
    }
    return -1;
}

} // namespace tavrin
