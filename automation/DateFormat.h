// The host's Format of a number read as a date (see DateFormat.cpp).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::detail {

// Whether a format text is a date format: it has a date or time placeholder and no digit one.
bool isDateFormat(std::string_view format);
// One of the named date and time formats, or nothing for another name.
std::optional<std::string> namedDateFormat(double value, std::string_view name);
// A custom date format; a value outside the host's dates overflows (6).
std::string formatDate(double value, std::string_view format);

} // namespace tavrin::detail
