// A double as decimal digits, the way the host writes and formats numbers: the binary value is first
// read to a fixed number of significant digits, and only that decimal text is rounded further.
#pragma once

#include <string>

namespace tavrin::detail {

// value = (negative ? -1 : 1) * d1.d2d3... * 10^exponent; digits carry no trailing zeros and are
// empty for zero.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
};

// The value read to `significant` digits (round half to even on the exact binary value).
DecimalDigits toDecimalDigits(double value, int significant);

// Keeps `fractionDigits` digits after the decimal point, rounding half away from zero.
void roundHalfAway(DecimalDigits& d, int fractionDigits);

// The digits before the decimal point ("" for a value below 1) and the `fractionDigits` after it.
std::string integerDigits(const DecimalDigits& d);
std::string fractionDigitsOf(const DecimalDigits& d, int fractionDigits);

} // namespace tavrin::detail
