// The statistics and JSON records the side-by-side comparison reads: a wrong median or a malformed
// line would put wrong figures in the table without any error.
#include <gtest/gtest.h>

#include <cstring>

#include "bench/Report.h"

namespace tavrin::bench {
namespace {

TEST(Summarize, MediansMinimaMaximaAndMeans) {
    struct Case {
        std::vector<double> samples;
        double median, min, max, mean;
    };
    const Case cases[] = {
        {{5}, 5, 5, 5, 5},
        {{3, 1, 2}, 2, 1, 3, 2},
        {{4, 1, 3, 2}, 2.5, 1, 4, 2.5}, // even count: mean of the two middle samples
        {{7, 7, 1, 100}, 7, 1, 100, 28.75},
    };
    for (const Case& c : cases) {
        Stats s = summarize(c.samples);
        EXPECT_EQ(s.count, c.samples.size());
        EXPECT_DOUBLE_EQ(s.median, c.median);
        EXPECT_DOUBLE_EQ(s.min, c.min);
        EXPECT_DOUBLE_EQ(s.max, c.max);
        EXPECT_DOUBLE_EQ(s.mean, c.mean);
    }
}

TEST(Summarize, NoSamplesGiveZeros) {
    Stats s = summarize({});
    EXPECT_EQ(s.count, 0u);
    EXPECT_EQ(s.median, 0);
    EXPECT_EQ(s.max, 0);
}

TEST(JsonLine, EscapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(jsonEscape("a\"b\\c"), "a\\\"b\\\\c");
    EXPECT_EQ(jsonEscape("\n\t\r"), "\\n\\t\\r");
    EXPECT_EQ(jsonEscape(std::string("\x01", 1)), "\\u0001");
    EXPECT_EQ(jsonEscape("&Select all"), "&Select all");
}

TEST(JsonLine, KeepsKeyOrderAndPrintsThreeDecimals) {
    std::string line =
        JsonLine().text("peer", "tavrin").integer("items", 32767).number("bytes_per_item", 80.0 / 3).str();
    EXPECT_EQ(line, "{\"peer\":\"tavrin\",\"items\":32767,\"bytes_per_item\":26.667}");
}

TEST(TimingLine, CarriesEveryFieldTheComparisonReads) {
    std::string line = timingLine("tavrin", "fill", {300, 100, 200}, 100, "AddItem", "a \"note\"").str();
    EXPECT_EQ(line, "{\"peer\":\"tavrin\",\"workload\":\"fill\",\"samples\":3,\"ops_per_sample\":100,"
                    "\"median_us\":200.000,\"min_us\":100.000,\"max_us\":300.000,\"mean_us\":200.000,"
                    "\"per_op_median_us\":2.000,\"per_op\":\"AddItem\",\"note\":\"a \\\"note\\\"\"}");
}

TEST(TimingLine, NonPositiveOperationCountDividesByOne) {
    std::string line = timingLine("p", "w", {8}, 0, "op", "").str();
    EXPECT_NE(line.find("\"per_op_median_us\":8.000"), std::string::npos);
}

TEST(ResidentBytes, GrowsWhenNewMemoryIsTouched) {
    long before = residentBytes();
    ASSERT_GT(before, 0);
    constexpr size_t kBytes = 16u << 20;
    std::vector<char> block(kBytes);
    std::memset(block.data(), 1, block.size());
    EXPECT_GE(residentBytes() - before, static_cast<long>(kBytes / 2));
    EXPECT_EQ(block[kBytes - 1], 1);
}

TEST(CheckDeathTest, AWrongResultExitsWithStatusThreeAndSaysWhat) {
    check(true, "never printed");
    EXPECT_EXIT(check(false, "Order restores index order"), testing::ExitedWithCode(3),
                "self-check failed: Order restores index order");
}

} // namespace
} // namespace tavrin::bench
