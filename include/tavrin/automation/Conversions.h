// The host's conversions between automation values, and its checked arithmetic.
//
// Integer conversions round halves to even and raise Overflow (6) when the result does not fit.
// A text converts to a number when it reads as one ("12", " -3.5 ", "&H1F", "1E3"); otherwise the
// conversion raises Type mismatch (13). An object converts to nothing but an object.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Variant.h"

namespace tavrin {

// Text the way the host writes values: integers in decimal, reals with up to 15 significant digits
// ("0.5", "-2.25", "1E+20", "1.5E-07"), singles with up to 7, Booleans "True"/"False",
// a missing or empty value as "". An object raises Type mismatch.
std::u16string toText(const Variant& v);
std::string toUtf8Text(const Variant& v);

int16_t toI2(const Variant& v);
int32_t toI4(const Variant& v);
float toR4(const Variant& v);
double toR8(const Variant& v);
bool toBool(const Variant& v); // numbers: not 0; texts "True"/"False" (any case) or numbers

// Round-half-even conversions of a double, raising Overflow outside the type's range.
// Round half to even, the host's rule for every conversion to an integer type. Adding and taking
// away 2^52 leaves the whole number nearest, ties to even, under the default rounding mode that
// the host never changes; beyond 2^52 every double is whole already. A zero keeps its sign.
inline double roundHalfEven(double v) {
    constexpr double kWhole = 4503599627370496.0; // 2^52
    if (!(std::fabs(v) < kWhole)) return v;       // whole, infinite or not a number
    const double r = v < 0 ? (v - kWhole) + kWhole : (v + kWhole) - kWhole;
    return std::copysign(r, v);
}
inline int16_t roundToI2(double v) {
    const double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0)) [[unlikely]] // NaN fails too
        raise(err::Overflow);
    return static_cast<int16_t>(r);
}
inline int32_t roundToI4(double v) {
    const double r = roundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) [[unlikely]]
        raise(err::Overflow);
    return static_cast<int32_t>(r);
}
// Single precision conversion, raising Overflow when the value exceeds the float range.
inline float toSingle(double v) {
    if (std::isnan(v) || std::fabs(v) > static_cast<double>(FLT_MAX)) [[unlikely]]
        raise(err::Overflow);
    return static_cast<float>(v);
}

// 16-bit arithmetic that raises Overflow. The exact result of two 16-bit operands always fits 32
// bits; only its narrowing can overflow.
inline int16_t narrowToI2(int32_t v) {
    if (v < INT16_MIN || v > INT16_MAX) [[unlikely]]
        raise(err::Overflow);
    return static_cast<int16_t>(v);
}
inline int16_t addI2(int16_t a, int16_t b) {
    return narrowToI2(int32_t{a} + b);
}
inline int16_t subI2(int16_t a, int16_t b) {
    return narrowToI2(int32_t{a} - b);
}
inline int16_t mulI2(int16_t a, int16_t b) {
    return narrowToI2(int32_t{a} * b);
}

// Checked floating point: division by zero raises Division by zero (11), an infinite or NaN result
// Overflow (6).
inline double checkedFinite(double v) {
    if (!std::isfinite(v)) [[unlikely]]
        raise(err::Overflow);
    return v;
}
inline float checkedFinite(float v) {
    if (!std::isfinite(v)) [[unlikely]]
        raise(err::Overflow);
    return v;
}
inline double checkedDiv(double a, double b) {
    // The host reports 0 / 0 as an overflow and any other division by zero as such.
    if (b == 0) [[unlikely]]
        raise(a == 0 ? err::Overflow : err::DivisionByZero);
    return checkedFinite(a / b);
}

// A text read as a number the way the host reads it; nothing when it is not a number.
std::optional<double> parseNumber(std::u16string_view text);

// The host's comparison of a value with a number (as in `Text <> 0`): numbers and Booleans by
// value; a text that reads as a number by that number; a text that does not read as a number is
// never equal; a missing or empty value counts as 0.
bool equalsNumber(const Variant& v, double number);

// The host's Format of a number with a format text ("0", "0.0", "#,##0.00", ...).
std::u16string formatNumber(double value, std::u16string_view format);

// UTF-8 <-> UTF-16 (invalid input is replaced with U+FFFD).
std::u16string utf16(std::string_view utf8);
std::string utf8(std::u16string_view utf16);

// Case-insensitive ASCII comparison of member and key names.
bool namesEqual(std::string_view a, std::string_view b);

} // namespace tavrin
