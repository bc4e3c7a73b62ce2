// The host's Format of numbers, and reading its output back as the scroll bar's dFormat does.
#include <gtest/gtest.h>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"

using namespace tavrin;

TEST(FormatNumber, DigitPlaceholdersSeparatorsAndRounding) {
    struct Case {
        double value;
        const char16_t* format;
        const char* expected;
    };
    const Case cases[] = {
        // half away from zero at the last digit shown
        {0.5, u"0", "1"},
        {1.5, u"0", "2"},
        {2.5, u"0", "3"},
        {-2.5, u"0", "-3"},
        {0.45, u"0.0", "0.5"},
        {12.25, u"0.0", "12.3"},
        {2.675, u"0.00", "2.68"}, // 2.67499999... in binary, 2.675 to 15 digits
        {9.999, u"0.00", "10.00"},
        {-0.001, u"0.00", "-0.00"},
        {7, u"000", "007"},
        {1e20, u"0", "100000000000000000000"},
        // optional digits and the point
        {5, u"0.##", "5."},
        {5.1, u"0.0#", "5.1"},
        {0.5, u"#.##", ".5"},
        {12.5, u".00", "12.50"},
        {0, u"#", ""},
        // separators, scaling, percent
        {1234567.891, u"#,##0.00", "1,234,567.89"},
        {0, u"#,##0.00", "0.00"},
        {999.995, u"#,##0.00", "1,000.00"},
        {-1234.5, u"#,##0", "-1,235"},
        {1234567, u"#,##0,", "1,235"},
        {0.256, u"0%", "26%"},
        {0.0005, u"0.0%", "0.1%"},
        // literals and sections
        {12, u"\"$\"0", "$12"},
        {12, u"0\\h", "12h"},
        {3, u"0 \"items\"", "3 items"},
        {-5, u"0;(0)", "(5)"},
        {5, u"0;(0)", "5"},
        {0, u"0;(0);\"zero\"", "zero"},
        {-5, u"0;;\"zero\"", "-5"},
        // named formats
        {1234.5, u"General Number", "1234.5"},
        {1234.5, u"", "1234.5"},
        {1234.5, u"Fixed", "1234.50"},
        {1234.5, u"standard", "1,234.50"},
        {0.5, u"Percent", "50.00%"},
        {12345, u"Scientific", "1.23E+04"},
        {-0.0009999, u"Scientific", "-1.00E-03"},
        {0, u"Yes/No", "No"},
        {-1, u"True/False", "True"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.format));
        SCOPED_TRACE(c.value);
        EXPECT_EQ(utf8(formatNumber(c.value, c.format)), c.expected);
    }
}

TEST(FormatNumber, FormattedValuesReadBackAsNumbersOrMismatch) {
    EXPECT_EQ(toR8(Variant::string(formatNumber(7.26, u"0.0"))), 7.3);
    EXPECT_EQ(toR8(Variant::string(formatNumber(-0.4, u"0"))), 0.0);
    EXPECT_EQ(toR8(Variant::string(formatNumber(5, u"0.##"))), 5.0);
    EXPECT_THROW(toR8(Variant::string(formatNumber(1234, u"#,##0"))), AutomationError);
    EXPECT_THROW(toR8(Variant::string(formatNumber(3, u"0 \"items\""))), AutomationError);
}

// A number read as a date: whole days from 30 December 1899, the fraction the time of day.
TEST(FormatNumber, DateFormatsReadTheNumberAsADate) {
    struct Case {
        double value;
        const char16_t* format;
        const char* expected;
    };
    const Case cases[] = {
        {5, u"yyyy", "1900"},
        {5, u"w", "5"},
        {5, u"d", "4"},
        {5, u"dd", "04"},
        {5, u"m", "1"},
        {5, u"mm", "01"},
        {5, u"y", "4"},
        {5, u"q", "1"},
        {5, u"ww", "1"},
        {5, u"yyyymmdd", "19000104"},
        {5, u"dddd", "Thursday"},
        {45000, u"w", "4"},
        {45000, u"y", "74"},
        {45000, u"ww", "11"},
        {45000, u"yy", "23"},
        {45000, u"mmm d", "Mar 15"},
        {0.75, u"hh:nn", "18:00"},
        {0.75, u"hh:mm", "18:00"},
        {0.75, u"h AM/PM", "6 PM"},
        {1.5, u"General Date", "12/31/1899 12:00:00 PM"},
        {-1.25, u"yyyy mm dd hh", "1899 12 29 06"},
        {0, u"Short Date", "12/30/1899"},
        {45000.999999, u"yyyymmdd", "20230316"},
        {5, u"\"y\"yyyy", "y1900"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8(formatNumber(c.value, c.format)), c.expected) << utf8(c.format) << " of " << c.value;
    EXPECT_EQ(toR8(Variant::string(formatNumber(5, u"yyyy"))), 1900.0);
    EXPECT_THROW(toR8(Variant::string(formatNumber(5, u"d/m/yyyy"))), AutomationError);
    try {
        formatNumber(3e6, u"yyyy");
        FAIL() << "a date past 9999 overflows";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), err::Overflow);
    }
}
