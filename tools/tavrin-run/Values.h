// Script values: enumeration names, operators, comparisons and the texts values print as.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tavrin/automation/Variant.h"

namespace tavrin::run {

// A member of one of the control's enumerations by name ("Multiple", "3D", "Fixed Single"),
// without regard to case.
std::optional<int32_t> enumValue(std::string_view name);

// `&`: both sides as text. Comparisons: True or False. `+ - * /`: numbers; whole results stay 32-bit integers
// when both sides are integers. Raises the host's errors (13 for a text that is no number, 11 for division by
// 0).
Variant applyOperator(std::string_view op, const Variant& a, const Variant& b);
Variant negate(const Variant& v);

// Numbers (and Booleans) compare by value whatever their type; objects by identity; anything
// else by text.
bool valuesEqual(const Variant& a, const Variant& b);
// < 0, 0, > 0; numbers by value, otherwise texts ordinally. Objects raise Type mismatch.
int compareValues(const Variant& a, const Variant& b);
// `=`, `<>`, `<`, `>`, `<=`, `>=` by the two rules above.
bool comparisonHolds(std::string_view op, const Variant& a, const Variant& b);

// What `?` prints: numbers as the host writes them, True/False, texts as they are, an object as
// its type in angle brackets, Nothing.
std::string displayText(const Variant& v);
// The same for messages, with texts in double quotes.
std::string quotedText(const Variant& v);

bool isObject(const Variant& v);
std::string toLower(std::string_view s);

} // namespace tavrin::run
