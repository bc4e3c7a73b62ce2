// Order must leave exactly the order that the Shell sort with Knuth's gaps gives, equal texts
// included (their images tell them apart), whichever way the list gets there.
#include <algorithm>
#include <random>

#include "RenderFixture.h"
#include "tavrin/automation/TextCase.h"

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

// FindFirst as the control's rule states it: upper-case both texts unit by unit; StartWith wants the
// needle at the start, otherwise its first occurrence must lie after the start.
int16_t findReference(const std::vector<std::u16string>& texts, std::u16string needle, int16_t start,
                      bool startWith) {
    const char16_t* upper = upperCaseTable();
    const auto capitals = [&](std::u16string s) {
        for (char16_t& c : s)
            c = upper[c];
        return s;
    };
    needle = capitals(needle);
    for (size_t i = static_cast<size_t>(std::max<int16_t>(start, 0)); i < texts.size(); ++i) {
        if (texts[i].empty()) continue;
        const size_t at = capitals(texts[i]).find(needle);
        if (startWith ? at == 0 : at != std::u16string::npos && at > 0) return static_cast<int16_t>(i);
    }
    return -1;
}

// Random texts short and long (kept in the item and on the heap) over letters whose capitals have
// several small forms (long s, dotless i, micro sign), searched for random needles from anywhere.
TEST(ListFind, FindsWhatTheUnitByUnitRuleFinds) {
    const std::u16string letters = u"aAsS\u017Fi\u0131IkK\u212A\u00B5\u03BC\u039C \u00DF";
    std::mt19937 random(29);
    const auto word = [&](size_t longest) {
        std::u16string w;
        for (size_t k = random() % (longest + 1); k > 0; --k)
            w += letters[random() % letters.size()];
        return w;
    };
    ListOnForm f;
    std::vector<std::u16string> texts;
    for (int i = 0; i < 400; ++i) {
        texts.push_back(word(i % 3 == 0 ? 40 : 12));
        f->AddItem(Variant::string(texts.back()));
    }
    int found = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::u16string needle = word(round % 5 == 0 ? 9 : 3);
        const auto start = static_cast<int16_t>(static_cast<int>(random() % 420) - 10);
        const bool startWith = random() % 3 == 0;
        const int16_t expected = findReference(texts, needle, start, startWith);
        ASSERT_EQ(f->FindFirst(needle, start, startWith), expected) << round;
        found += expected >= 0;
    }
    EXPECT_GT(found, 1000); // the needles are found often enough to test the matches too
}

} // namespace
} // namespace tavrin::testing
