// Order must leave exactly the order that the Shell sort with Knuth's gaps gives, equal texts
// included (their images tell them apart), whichever way the list gets there.
#include <algorithm>
#include <random>

#include "RenderFixture.h"

namespace tavrin::testing {
namespace {

struct Record {
    std::u16string text;
    int16_t icon;
};

// The reference: the sort as the control's rule states it, on plain records.
void shellSortReference(std::vector<Record>& r, bool descending) {
    const size_t n = r.size();
    size_t h = 1;
    while (h <= n)
        h = 3 * h + 1;
    do {
        h /= 3;
        for (size_t i = h; i < n; ++i) {
            Record t = r[i];
            size_t j = i;
            while (descending ? !(t.text < r[j - h].text) : t.text < r[j - h].text) {
                r[j] = r[j - h];
                j -= h;
                if (j < h) break;
            }
            r[j] = t;
        }
    } while (h > 1);
}

std::vector<Record> randomRecords(size_t count, size_t alphabet, uint32_t seed, std::u16string prefix = u"",
                                  size_t longest = 3) {
    std::mt19937 random(seed);
    std::vector<Record> records;
    for (size_t i = 0; i < count; ++i) {
        std::u16string text = prefix;
        const size_t length = 1 + random() % longest;
        for (size_t k = 0; k < length; ++k)
            text += static_cast<char16_t>(u'A' + random() % alphabet);
        records.push_back({text, static_cast<int16_t>(i)});
    }
    return records;
}

TEST(ListOrder, EqualsTheShellSortWithAndWithoutEqualTexts) {
    struct Case {
        size_t count, alphabet;
        bool descending;
    };
    // A small alphabet gives many equal texts; a large one and few items gives none.
    for (const Case c : {Case{200, 3, false}, Case{200, 3, true}, Case{40, 40, false}, Case{40, 40, true},
                         Case{1000, 2, true}, Case{13, 26, false}}) {
        ListOnForm f;
        std::vector<Record> records =
            randomRecords(c.count, c.alphabet, static_cast<uint32_t>(c.count + c.alphabet));
        for (const Record& r : records)
            f->AddItem(Variant::string(r.text), r.icon);
        f->SetOrderType(c.descending ? OrderTypeCts::Descendent : OrderTypeCts::Ascendent);
        f->Order();
        shellSortReference(records, c.descending);
        for (size_t i = 0; i < records.size(); ++i) {
            ASSERT_EQ(f->ItemText(static_cast<int16_t>(i)), records[i].text) << c.count << "/" << c.alphabet;
            ASSERT_EQ(f->ItemIcon(static_cast<int16_t>(i)), records[i].icon) << c.count << "/" << c.alphabet;
        }
        EXPECT_EQ(f->SelectedCount(), 0);
        EXPECT_EQ(f->ListIndex(), -1);
    }
}

// Texts sharing a long prefix, some kept on the heap, some a prefix of another, one holding U+0000.
TEST(ListOrder, DistinctTextsWithASharedPrefixSortOrdinally) {
    for (const bool descending : {false, true}) {
        ListOnForm f;
        std::vector<Record> records = randomRecords(300, 26, 7, u"Item 0000", 30);
        records.push_back({u"Item 0000", 900});
        records.push_back({std::u16string(u"Item 0000\0", 10), 901});
        records.push_back({u"Item 0000A", 902});
        std::sort(records.begin(), records.end(),
                  [](const Record& a, const Record& b) { return a.text < b.text; });
        records.erase(std::unique(records.begin(), records.end(),
                                  [](const Record& a, const Record& b) { return a.text == b.text; }),
                      records.end());
        std::shuffle(records.begin(), records.end(), std::mt19937(11));
        for (const Record& r : records)
            f->AddItem(Variant::string(r.text), r.icon);
        f->SetOrderType(descending ? OrderTypeCts::Descendent : OrderTypeCts::Ascendent);
        f->Order();
        shellSortReference(records, descending);
        for (size_t i = 0; i < records.size(); ++i) {
            ASSERT_EQ(f->ItemText(static_cast<int16_t>(i)), records[i].text) << descending;
            ASSERT_EQ(f->ItemIcon(static_cast<int16_t>(i)), records[i].icon) << descending;
        }
    }
}

} // namespace
} // namespace tavrin::testing
