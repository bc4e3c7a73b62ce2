// The host's conversions: rounding, overflow, texts, and the comparison with a number.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"

using namespace tavrin;

namespace {

// Runs fn and returns the automation error number it raised, 0 when it raised none.
template <class Fn> int32_t errorOf(Fn fn) {
    try {
        fn();
    } catch (const AutomationError& e) {
        return e.number();
    }
    return 0;
}

Variant s(const char* utf8Text) {
    return Variant::string(std::string_view(utf8Text));
}

} // namespace

TEST(Conversions, RoundHalfEvenAtTheEdgesOfTheDoubles) {
    const std::pair<double, double> cases[] = {{0.49999999999999994, 0.0},
                                               {-3.5, -4.0},
                                               {-4.5, -4.0},
                                               {1e-300, 0.0},
                                               {2.5000000000000004, 3.0},
                                               {4503599627370495.5, 4503599627370496.0},
                                               {4503599627370497.0, 4503599627370497.0},
                                               {-4503599627370495.5, -4503599627370496.0},
                                               {1e300, 1e300}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    EXPECT_TRUE(std::signbit(roundHalfEven(-0.25)));
    EXPECT_TRUE(std::isinf(roundHalfEven(INFINITY)));
    EXPECT_TRUE(std::isnan(roundHalfEven(NAN)));
}

TEST(Conversions, IntegerConversionsRoundHalfToEvenAndOverflowOutsideTheRange) {
    struct Case {
        double value;
        int32_t i2; // expected 16-bit result, or the error number when `i2Error`
        bool i2Error;
    };
    const Case cases[] = {
        {0.5, 0, false},           {1.5, 2, false},       {2.5, 2, false},         {-2.5, -2, false},
        {-0.5, 0, false},          {3.5000001, 4, false}, {32767.4, 32767, false}, {32767.5, 6, true},
        {-32768.5, -32768, false}, {-32768.6, 6, true},   {-32769.5, 6, true},     {NAN, 6, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.i2Error) {
            EXPECT_EQ(errorOf([&] { toI2(Variant::r8(c.value)); }), c.i2);
        } else {
            EXPECT_EQ(toI2(Variant::r8(c.value)), c.i2);
        }
    }
    EXPECT_EQ(toI4(Variant::r8(-2147483648.5)), INT32_MIN);
    EXPECT_EQ(errorOf([] { toI4(Variant::r8(2147483647.5)); }), err::Overflow);
    EXPECT_EQ(errorOf([] { toI2(Variant::i4(70000)); }), err::Overflow);
    EXPECT_EQ(toI2(Variant::r4(2.5f)), 2);
}

TEST(Conversions, OtherKindsConvertToIntegersAsTheHostDoes) {
    EXPECT_EQ(toI2(Variant::boolean(true)), -1);
    EXPECT_EQ(toI4(Variant::boolean(false)), 0);
    EXPECT_EQ(toI2(Variant()), 0);
    EXPECT_EQ(toI2(Variant::missing()), 0);
    EXPECT_EQ(toI2(s(" 12 ")), 12);
    EXPECT_EQ(toI2(s("-3.5")), -4);
    EXPECT_EQ(toI2(s("1E3")), 1000);
    EXPECT_EQ(errorOf([] { toI2(s("40000")); }), err::Overflow);
    for (const char* bad : {"", "abc", "1 2", "12a", "&H", "--1", "1E"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(errorOf([&] { toI4(s(bad)); }), err::TypeMismatch);
    }
    EXPECT_EQ(errorOf([] { toI4(Variant::object(nullptr)); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { toR8(Variant::object(nullptr)); }), err::TypeMismatch);
}

TEST(Conversions, HexTextsAreSixteenOrThirtyTwoBitPatterns) {
    EXPECT_EQ(parseNumber(u"&HFFFF"), -1.0);
    EXPECT_EQ(parseNumber(u"&H8000"), -32768.0);
    EXPECT_EQ(parseNumber(u"&HFFFF&"), 65535.0);
    EXPECT_EQ(parseNumber(u"&h1f"), 31.0);
    EXPECT_EQ(parseNumber(u"&H10000"), 65536.0);
    EXPECT_EQ(parseNumber(u"&H8000000D"), -2147483635.0);
    EXPECT_EQ(parseNumber(u"&O17"), 15.0);
    EXPECT_FALSE(parseNumber(u"&H123456789"));
    EXPECT_FALSE(parseNumber(u"&HFG"));
    EXPECT_EQ(parseNumber(u"  +.5  "), 0.5);
    EXPECT_EQ(parseNumber(u"5."), 5.0);
    EXPECT_EQ(parseNumber(u"-1.25e-2"), -0.0125);
}

TEST(Conversions, TextOfNumbersAndBooleans) {
    struct Case {
        Variant value;
        const char* text;
    };
    const Case cases[] = {
        {Variant::r8(0.5), "0.5"},
        {Variant::r8(-2.25), "-2.25"},
        {Variant::r8(100), "100"},
        {Variant::r8(1e20), "1E+20"},
        {Variant::r8(1.5e-7), "1.5E-07"},
        {Variant::r8(0.00001), "0.00001"},
        {Variant::r8(123456789012345.0), "123456789012345"},
        {Variant::r8(1e15), "1E+15"},
        {Variant::r8(0.1 + 0.2), "0.3"},
        {Variant::r8(1.0 / 3), "0.333333333333333"},
        {Variant::r8(-0.0), "0"},
        {Variant::r8(-1.5e300), "-1.5E+300"},
        {Variant::r4(0.1f), "0.1"},
        {Variant::r4(1234567.0f), "1234567"},
        {Variant::r4(16777216.0f), "1.677722E+07"},
        {Variant::r4(1.0f / 3), "0.3333333"},
        {Variant::i2(-5), "-5"},
        {Variant::i4(-2147483635), "-2147483635"},
        {Variant::boolean(true), "True"},
        {Variant::boolean(false), "False"},
        {Variant(), ""},
        {Variant::missing(), ""},
        {s("Grüße"), "Grüße"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toUtf8Text(c.value), c.text);
    }
    EXPECT_EQ(errorOf([] { toText(Variant::object(nullptr)); }), err::TypeMismatch);
}

TEST(Conversions, BooleansFromTextsAndNumbers) {
    EXPECT_TRUE(toBool(s("true")));
    EXPECT_FALSE(toBool(s("FALSE")));
    EXPECT_FALSE(toBool(s("0")));
    EXPECT_TRUE(toBool(s("-2")));
    EXPECT_TRUE(toBool(Variant::r8(0.1)));
    EXPECT_FALSE(toBool(Variant()));
    EXPECT_EQ(errorOf([] { toBool(s("yes")); }), err::TypeMismatch);
}

TEST(Conversions, ComparisonWithANumber) {
    struct Case {
        Variant value;
        bool equalsZero;
    };
    const Case cases[] = {
        {Variant::i2(0), true},
        {Variant::i4(0), true},
        {Variant::r8(0), true},
        {Variant::r8(1e-300), false},
        {Variant::boolean(false), true},
        {Variant::boolean(true), false},
        {Variant(), true},
        {Variant::missing(), true},
        {s("0"), true},
        {s(" 0.0 "), true},
        {s("&H0"), true},
        {s("abc"), false},
        {s(""), false},
        {s("0 apples"), false},
        {Variant::object(nullptr), false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(equalsNumber(cases[i].value, 0), cases[i].equalsZero);
    }
    EXPECT_TRUE(equalsNumber(Variant::boolean(true), -1));
    EXPECT_TRUE(equalsNumber(s("12"), 12));
}

TEST(Conversions, CheckedArithmeticRaisesInsteadOfWrapping) {
    EXPECT_EQ(addI2(-32768, 32767), -1);
    EXPECT_EQ(errorOf([] { addI2(32767, 1); }), err::Overflow);
    EXPECT_EQ(errorOf([] { subI2(-32768, 1); }), err::Overflow);
    EXPECT_EQ(errorOf([] { mulI2(-32768, -1); }), err::Overflow);
    EXPECT_EQ(checkedDiv(1, 4), 0.25);
    EXPECT_EQ(errorOf([] { checkedDiv(1, 0); }), err::DivisionByZero);
    EXPECT_EQ(errorOf([] { checkedDiv(0, 0); }), err::Overflow);
    EXPECT_EQ(errorOf([] { checkedDiv(1e308, 1e-308); }), err::Overflow);
    EXPECT_EQ(errorOf([] { toSingle(1e39); }), err::Overflow);
    EXPECT_EQ(errorOf([] { toR4(s("1E39")); }), err::Overflow);
    EXPECT_EQ(errorOf([] { checkedFinite(std::numeric_limits<float>::infinity()); }), err::Overflow);
}

TEST(Conversions, Utf8AndUtf16RoundTripAndReplaceBrokenInput) {
    const std::string text = "Grüße \xF0\x9F\x98\x80 €";
    EXPECT_EQ(utf8(utf16(text)), text);
    EXPECT_EQ(utf16(text).size(), 10u); // the emoji is a surrogate pair
    EXPECT_EQ(utf16("a\xFF"
                    "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf16("\xE2\x82"), u"\uFFFD\uFFFD"); // cut short
    EXPECT_EQ(utf16("\xC0\xAF"), u"\uFFFD");       // overlong
    EXPECT_EQ(utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Conversions, NamesCompareWithoutCaseButNotLength) {
    EXPECT_TRUE(namesEqual("ListIndex", "LISTINDEX"));
    EXPECT_FALSE(namesEqual("ListIndex", "ListIndexx"));
    EXPECT_FALSE(namesEqual("a_", "a-"));
}

TEST(AutomationErrors, CarryTheHostsStandardDescriptions) {
    EXPECT_STREQ(AutomationError(381).what(), "Invalid property array index");
    EXPECT_STREQ(AutomationError(35600).what(), "Index out of bounds");
    EXPECT_STREQ(AutomationError(450).what(), "Wrong number of arguments or invalid property assignment");
    EXPECT_STREQ(AutomationError(12345).what(), "Application-defined or object-defined error");
    EXPECT_EQ(AutomationError(5, "own text").number(), 5);
}
