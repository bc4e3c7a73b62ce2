// Property values to and from their JSON form in form files.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/automation/Variant.h"

namespace tavrin::software::formvalues {

// The whole text as JSON; FormFileError "<source>: not valid JSON: <where and why>" when it is not.
nlohmann::json parseJson(std::string_view text, const std::string& source);

// Both throw FormFileError with a message that starts with `source`, naming the key.
Variant fromJson(const nlohmann::json& value, const std::string& key, const std::string& source);
nlohmann::ordered_json toJson(const Variant& value, const std::string& key, const std::string& source);

std::string encodeBase64(const std::vector<uint8_t>& bytes);
// Nothing when the text is not base64 (whitespace is skipped).
std::optional<std::vector<uint8_t>> decodeBase64(std::string_view text);

} // namespace tavrin::software::formvalues
