#include "tools/tavrin-run/Values.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/automation/Dispatch.h"

namespace tavrin::run {

namespace {

struct EnumMember {
    const char* name;
    int32_t value;
};

// Every member of the control's enumerations.
constexpr EnumMember kEnumMembers[] = {
    {"AlignLeft", 0},  {"AlignCenter", 1},  {"AlignRight", 2}, // AlignmentCts
    {"Flat", 0},       {"3D", 1},                              // AppearanceCts
    {"XPBlue", 0},     {"XPSilver", 1},     {"XPOlive", 2},    // ctsListThemes
    {"None", 0},       {"Fixed Single", 1},                    // BorderStyleCts
    {"Ascendent", 0},  {"Descendent", 1},                      // OrderTypeCts
    {"Single", 0},     {"Multiple", 1},                        // SelectModeCts
    {"Standard", 0},   {"Dither", 1},       {"Gradient_V", 2},
    {"Gradient_H", 3}, {"Box", 4}, // SelectModeStyleCts
    {"Underline", 5},  {"byPicture", 6},
};

bool isInteger(const Variant& v) {
    return v.type() == VarType::I2 || v.type() == VarType::I4 || v.type() == VarType::Bool;
}

bool isNumberLike(const Variant& v) {
    return v.isNumeric() || v.isEmpty() || v.isMissing();
}

// A whole result of integer operands stays an integer when it fits 32 bits.
Variant numberResult(double r, bool integral) {
    checkedFinite(r);
    if (integral && r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())
        return Variant::i4(static_cast<int32_t>(r));
    return Variant::r8(r);
}

} // namespace

std::optional<int32_t> enumValue(std::string_view name) {
    for (const EnumMember& m : kEnumMembers)
        if (namesEqual(m.name, name)) return m.value;
    return std::nullopt;
}

bool isObject(const Variant& v) {
    return v.type() == VarType::Object;
}

std::string toLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

Variant applyOperator(std::string_view op, const Variant& a, const Variant& b) {
    if (op == "&") return Variant::string(toText(a) + toText(b));
    if (op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=")
        return Variant::boolean(comparisonHolds(op, a, b));
    double x = toR8(a), y = toR8(b);
    bool integral = isInteger(a) && isInteger(b);
    if (op == "+") return numberResult(x + y, integral);
    if (op == "-") return numberResult(x - y, integral);
    if (op == "*") return numberResult(x * y, integral);
    return Variant::r8(checkedDiv(x, y));
}

Variant negate(const Variant& v) {
    if (v.type() == VarType::I2) return Variant::i4(-static_cast<int32_t>(v.asI2()));
    return numberResult(-toR8(v), isInteger(v));
}

namespace {

// A single-precision value (event coordinates, sizes in twips) is worth what the host writes of it,
// seven significant digits: a MouseMove at 10.3 pixels may arrive as 10.300003 after the desktop's
// own arithmetic, and still equals the script's 10.3.
std::pair<double, double> numbersOf(const Variant& a, const Variant& b) {
    double x = toR8(a), y = toR8(b);
    if (a.type() != VarType::R4 && b.type() != VarType::R4) return {x, y};
    auto single = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.7g", v);
        return std::strtod(buf, nullptr);
    };
    return {single(x), single(y)};
}

} // namespace

bool valuesEqual(const Variant& a, const Variant& b) {
    if (isObject(a) || isObject(b)) return isObject(a) && isObject(b) && a.asObject() == b.asObject();
    if (a.isNumeric() && b.isNumeric()) {
        auto [x, y] = numbersOf(a, b);
        return x == y;
    }
    if (a.isNumeric() || b.isNumeric()) {
        // A number against a text: the text must read as that number.
        const Variant& text = a.isNumeric() ? b : a;
        const Variant& number = a.isNumeric() ? a : b;
        auto n = parseNumber(toText(text));
        return n && *n == toR8(number);
    }
    return toText(a) == toText(b);
}

int compareValues(const Variant& a, const Variant& b) {
    if (isObject(a) || isObject(b)) raise(err::TypeMismatch);
    if (isNumberLike(a) && isNumberLike(b)) {
        auto [x, y] = numbersOf(a, b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    std::u16string x = toText(a), y = toText(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

bool comparisonHolds(std::string_view op, const Variant& a, const Variant& b) {
    if (op == "=") return valuesEqual(a, b);
    if (op == "<>") return !valuesEqual(a, b);
    int c = compareValues(a, b);
    if (op == "<") return c < 0;
    if (op == ">") return c > 0;
    if (op == "<=") return c <= 0;
    return c >= 0;
}

std::string displayText(const Variant& v) {
    if (isObject(v)) return v.asObject() ? "<" + v.asObject()->typeName() + ">" : "Nothing";
    return toUtf8Text(v);
}

std::string quotedText(const Variant& v) {
    if (v.type() == VarType::String) return "\"" + utf8(v.asString()) + "\"";
    return displayText(v);
}

} // namespace tavrin::run
