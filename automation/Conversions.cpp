// The host's conversions between automation values and its checked arithmetic.
#include "tavrin/automation/Conversions.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "tavrin/automation/AutomationError.h"

namespace tavrin {

namespace {

// The number a value stands for; Type mismatch for objects and texts that are not numbers.
double numberOf(const Variant& v) {
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Missing:
        return 0;
    case VarType::I2:
        return v.asI2();
    case VarType::I4:
        return v.asI4();
    case VarType::R4:
        return v.asR4();
    case VarType::R8:
        return v.asR8();
    case VarType::Bool:
        return v.asBool() ? -1 : 0;
    case VarType::String:
        if (auto n = parseNumber(v.asString())) return *n;
        break;
    case VarType::Object:
        break;
    }
    raise(err::TypeMismatch);
}

} // namespace

int16_t toI2(const Variant& v) {
    if (v.type() == VarType::I2) return v.asI2();
    return roundToI2(numberOf(v));
}

int32_t toI4(const Variant& v) {
    if (v.type() == VarType::I4) return v.asI4();
    return roundToI4(numberOf(v));
}

// No real of the host is an infinity or NaN: arithmetic that would make one overflows, and a value
// that arrives as one (from a caller of the library) overflows here rather than be kept by a
// property that a form file could then never store.
float toR4(const Variant& v) {
    if (v.type() == VarType::R4) return checkedFinite(v.asR4());
    return toSingle(numberOf(v));
}

double toR8(const Variant& v) {
    return checkedFinite(numberOf(v));
}

bool toBool(const Variant& v) {
    if (v.type() == VarType::String) {
        if (namesEqual(utf8(v.asString()), "True")) return true;
        if (namesEqual(utf8(v.asString()), "False")) return false;
    }
    return numberOf(v) != 0;
}

bool equalsNumber(const Variant& v, double number) {
    switch (v.type()) {
    case VarType::String: {
        const auto n = parseNumber(v.asString());
        return n && *n == number;
    }
    case VarType::Object:
        return false; // an object is never a number; converting it later raises Type mismatch
    default:
        return numberOf(v) == number;
    }
}

bool namesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// ---- UTF-8 <-> UTF-16 ------------------------------------------------------------------------

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at s[i], advancing i; malformed input gives U+FFFD and skips one byte.
char32_t decodeUtf8(std::string_view s, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    const int extra = b0 < 0x80           ? 0
                      : (b0 >> 5) == 0x6  ? 1
                      : (b0 >> 4) == 0xE  ? 2
                      : (b0 >> 3) == 0x1E ? 3
                                          : -1;
    if (extra == 0) {
        ++i;
        return b0;
    }
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return kReplacement;
    }
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    i += static_cast<size_t>(extra) + 1;
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

std::u16string utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = decodeUtf8(text, i);
        if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement; // a lone surrogate
        }
        appendUtf8(out, cp);
    }
    return out;
}

} // namespace tavrin
