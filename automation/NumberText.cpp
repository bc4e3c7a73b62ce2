// Numbers to text and text to numbers, as the host converts them.
//
// Reals print with up to 15 significant digits (singles 7), without trailing zeros, in plain decimal
// while the value is at least 1E-05 and has no more integer digits than significant ones, in
// exponent form ("1E+20", "1.5E-07") otherwise.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "automation/DecimalDigits.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace detail {

DecimalDigits toDecimalDigits(double value, int significant) {
    DecimalDigits d;
    if (value == 0 || !std::isfinite(value)) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, value);
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p != '.') d.digits.push_back(*p);
    }
    d.exponent = std::atoi(p + 1);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

void roundHalfAway(DecimalDigits& d, int fractionDigits) {
    const long keep = static_cast<long>(d.exponent) + 1 + fractionDigits;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<long>(d.digits.size()) <= keep) return;
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[i - 1];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

std::string integerDigits(const DecimalDigits& d) {
    if (d.isZero() || d.exponent < 0) return "";
    std::string out = d.digits.substr(0, static_cast<size_t>(d.exponent) + 1);
    out.resize(static_cast<size_t>(d.exponent) + 1, '0');
    return out;
}

std::string fractionDigitsOf(const DecimalDigits& d, int fractionDigits) {
    std::string out;
    for (int pos = 1; pos <= fractionDigits; ++pos) {
        const long index = static_cast<long>(d.exponent) + pos; // index of the digit 10^-pos
        const bool inside = !d.isZero() && index >= 0 && index < static_cast<long>(d.digits.size());
        out.push_back(inside ? d.digits[static_cast<size_t>(index)] : '0');
    }
    return out;
}

} // namespace detail

namespace {

std::string exponentForm(const detail::DecimalDigits& d) {
    std::string out = d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    char buf[16];
    std::snprintf(buf, sizeof buf, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return out + buf;
}

std::string plainForm(const detail::DecimalDigits& d) {
    std::string intPart = detail::integerDigits(d);
    const int fracCount = static_cast<int>(d.digits.size()) - 1 - d.exponent;
    std::string frac = fracCount > 0 ? detail::fractionDigitsOf(d, fracCount) : "";
    return (intPart.empty() ? "0" : intPart) + (frac.empty() ? "" : "." + frac);
}

std::string realText(double value, int significant) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    const detail::DecimalDigits d = detail::toDecimalDigits(value, significant);
    if (d.isZero()) return "0"; // negative zero too
    const bool plain = d.exponent >= -5 && d.exponent < significant;
    return (d.negative ? "-" : "") + (plain ? plainForm(d) : exponentForm(d));
}

} // namespace

// A text is returned as it is: going through UTF-8 would cost time and replace lone surrogates.
std::u16string toText(const Variant& v) {
    if (v.type() == VarType::String) return v.asString();
    return utf16(toUtf8Text(v));
}

std::string toUtf8Text(const Variant& v) {
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Missing:
        return "";
    case VarType::I2:
        return std::to_string(v.asI2());
    case VarType::I4:
        return std::to_string(v.asI4());
    case VarType::R4:
        return realText(v.asR4(), 7);
    case VarType::R8:
        return realText(v.asR8(), 15);
    case VarType::Bool:
        return v.asBool() ? "True" : "False";
    case VarType::String:
        return utf8(v.asString());
    case VarType::Object:
        break;
    }
    raise(err::TypeMismatch);
}

namespace {

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// "&H1F", "&HFFFF" (a 16-bit pattern: -1), "&HFFFF&" or "&H8000000D" (32-bit patterns), "&O17".
std::optional<double> parseRadix(std::u16string_view s) {
    const bool octal = s[1] == u'O' || s[1] == u'o';
    const int base = octal ? 8 : 16;
    s.remove_prefix(2);
    const bool long32 = !s.empty() && s.back() == u'&';
    if (long32) s.remove_suffix(1);
    if (s.empty()) return std::nullopt;
    uint64_t bits = 0;
    for (char16_t c : s) {
        const int digit = hexDigit(c);
        if (digit < 0 || digit >= base) return std::nullopt;
        bits = bits * base + static_cast<uint64_t>(digit);
        if (bits > 0xFFFFFFFFull) return std::nullopt;
    }
    if (!long32 && bits <= 0xFFFF)
        return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(bits)));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(bits)));
}

// Sign, digits with an optional decimal point, optional exponent (E or D).
std::optional<double> parseDecimal(std::u16string_view s) {
    std::string ascii;
    size_t i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(static_cast<char>(s[i++]));
    size_t mantissaDigits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= u'0' && s[i] <= u'9') {
            ++mantissaDigits;
        } else if (s[i] == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        ascii.push_back(static_cast<char>(s[i]));
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e' || s[i] == u'D' || s[i] == u'd')) {
        ascii.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(static_cast<char>(s[i++]));
        size_t expDigits = 0;
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i, ++expDigits)
            ascii.push_back(static_cast<char>(s[i]));
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    const double value = std::strtod(ascii.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

} // namespace

std::optional<double> parseNumber(std::u16string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    if (text.size() > 2 && text[0] == u'&' &&
        (text[1] == u'H' || text[1] == u'h' || text[1] == u'O' || text[1] == u'o')) {
        return parseRadix(text);
    }
    return parseDecimal(text);
}

} // namespace tavrin
