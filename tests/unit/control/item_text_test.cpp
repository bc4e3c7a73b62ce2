// Item texts: kept in place up to 24 code units and on the heap beyond, with the same behaviour
// either way, including assignments from the text itself and moves that leave the source empty.
#include <gtest/gtest.h>

#include <vector>

#include "tavrin/ItemText.h"

namespace tavrin {
namespace {

const std::u16string kShort = u"Item 00000 IqAPw";                         // 16 units
const std::u16string kEdge = std::u16string(24, u'x');                     // the last size kept in place
const std::u16string kLong = u"Item 32766 SBcJFuDjUzOM and a little more"; // on the heap

TEST(ItemText, KeepsEveryLengthExactly) {
    for (const std::u16string& text : {std::u16string(), kShort, kEdge, kEdge + u"y", kLong}) {
        ItemText t(text);
        EXPECT_EQ(t.view(), text);
        EXPECT_EQ(t.size(), text.size());
        EXPECT_EQ(t.empty(), text.empty());
        EXPECT_EQ(t.str(), text);
    }
}

TEST(ItemText, CopiesMovesAndSelfAssignmentsAcrossTheInlineLimit) {
    std::vector<std::u16string> texts{kShort, kLong, kEdge, u""};
    for (const auto& from : texts) {
        for (const auto& to : texts) {
            ItemText a(from), b(to);
            b = a;
            EXPECT_EQ(b.view(), from);
            EXPECT_EQ(a.view(), from);
            ItemText c(std::move(b));
            EXPECT_EQ(c.view(), from);
            EXPECT_TRUE(b.empty()); // NOLINT: a moved-from text is empty and usable
            b = u"again";
            EXPECT_EQ(b.view(), u"again");
            c = c;
            EXPECT_EQ(c.view(), from);
            c = c.view().substr(0, from.size() / 2); // a part of itself
            EXPECT_EQ(c.view(), std::u16string_view(from).substr(0, from.size() / 2));
        }
    }
}

TEST(ItemText, ComparesOrdinallyByCodeUnit) {
    EXPECT_LT(ItemText(u"B"), ItemText(u"a"));          // capitals first
    EXPECT_LT(ItemText(u"ab"), ItemText(u"abc"));       // a prefix is smaller
    EXPECT_LT(ItemText(u"z"), ItemText(u"\u00e9"));     // by code unit, not by locale
    EXPECT_LT(ItemText(kEdge), ItemText(kEdge + u"y")); // across the inline limit
    EXPECT_EQ(ItemText(kLong), ItemText(kLong));
    EXPECT_TRUE(ItemText(kShort) == std::u16string_view(kShort));
}

} // namespace
} // namespace tavrin
