// The benchmark's texts must be exactly those of the other toolkits' benchmarks, or the
// side-by-side figures compare different work.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <numeric>

#include "bench/ItemTexts.h"

namespace tavrin::bench {
namespace {

const std::vector<std::string>& texts() {
    static const std::vector<std::string> all = makeTexts();
    return all;
}

// What a case-insensitive search over ASCII texts finds: true when needle occurs anywhere.
bool containsIgnoringCase(const std::string& text, const std::string& needle) {
    auto upper = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    };
    return upper(text).find(upper(needle)) != std::string::npos;
}

TEST(XorShift32, FollowsTheThirteenSeventeenFiveStream) {
    XorShift32 rng(1);
    EXPECT_EQ(rng.next(), 270369u);
    EXPECT_EQ(rng.next(), 67634689u);
}

TEST(XorShift32, ZeroSeedStartsAtOneInsteadOfStickingAtZero) {
    XorShift32 zero(0), one(1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(zero.next(), one.next());
}

TEST(ItemTexts, GoldenFirstAndLastTexts) {
    ASSERT_EQ(texts().size(), static_cast<size_t>(kItems));
    EXPECT_EQ(texts().front(), "Item 00000 IqAPw");
    EXPECT_EQ(texts().back(), "Item 32766 SBcJFuDjUzOM");
}

TEST(ItemTexts, ShorterRunsArePrefixesOfTheFullRun) {
    std::vector<std::string> few = makeTexts(3);
    ASSERT_EQ(few.size(), 3u);
    EXPECT_TRUE(std::equal(few.begin(), few.end(), texts().begin()));
}

TEST(ItemTexts, EveryTextIsNumberSpaceAndAWordOfFourToTwelveLetters) {
    for (size_t i = 0; i < texts().size(); ++i) {
        const std::string& t = texts()[i];
        ASSERT_GE(t.size(), 15u) << i;
        ASSERT_LE(t.size(), 23u) << i;
        char number[32];
        std::snprintf(number, sizeof number, "Item %05zu ", i);
        ASSERT_EQ(t.substr(0, 11), number);
        ASSERT_TRUE(std::all_of(t.begin() + 11, t.end(), [](char c) {
            return std::isalpha(static_cast<unsigned char>(c));
        })) << t;
    }
}

TEST(ItemTexts, IndexOrderIsStrictOrdinalOrderOfTheWideTexts) {
    for (size_t i = 1; i < texts().size(); ++i)
        ASSERT_LT(widen(texts()[i - 1]), widen(texts()[i])) << i;
}

TEST(Needles, MissNeedleOccursInNoTextEvenIgnoringCase) {
    for (const std::string& t : texts())
        ASSERT_FALSE(containsIgnoringCase(t, kMissNeedle)) << t;
}

TEST(Needles, HitNeedleOccursOnlyInTheLastTextAndOnlyIgnoringCase) {
    std::string needle = hitLastNeedle(texts());
    EXPECT_EQ(needle, "32766 s");
    EXPECT_EQ(texts().back().find(needle), std::string::npos);
    for (size_t i = 0; i + 1 < texts().size(); ++i)
        ASSERT_FALSE(containsIgnoringCase(texts()[i], needle)) << i;
    EXPECT_TRUE(containsIgnoringCase(texts().back(), needle));
}

TEST(Needles, HitNeedleOfTooShortALastTextIsEmpty) {
    EXPECT_EQ(hitLastNeedle({}), "");
    EXPECT_EQ(hitLastNeedle({"Item 1 ab"}), "");
}

TEST(Shuffle, IsADeterministicPermutationThatMovesMostItems) {
    std::vector<int> order = makeShuffle();
    EXPECT_EQ(order, makeShuffle());
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> identity(kItems);
    std::iota(identity.begin(), identity.end(), 0);
    EXPECT_EQ(sorted, identity);
    auto fixed = std::count_if(order.begin(), order.end(), [i = 0](int v) mutable { return v == i++; });
    EXPECT_LT(fixed, 10);
}

TEST(Shuffle, TinyCountsAreValid) {
    EXPECT_TRUE(makeShuffle(0).empty());
    EXPECT_EQ(makeShuffle(1), std::vector<int>{0});
    std::vector<int> two = makeShuffle(2);
    std::sort(two.begin(), two.end());
    EXPECT_EQ(two, (std::vector<int>{0, 1}));
}

} // namespace
} // namespace tavrin::bench
