// Property values in form files: scalars as JSON scalars, a font as a plain object
// {"Name": "DejaVu Sans", "Size": 8, "Bold": false, ...}, a picture as {"Picture": {"png": "<base64>"}},
// no object as null. The first files wrapped a font as {"Font": {...}}; that form still loads, and a
// plain {"png": ...} loads as a picture.
#include "platform/software/FormValues.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "platform/software/FormFile.h"
#include "platform/software/SoftwareSurface.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Font.h"
#include "tavrin/platform/Picture.h"

namespace tavrin::software::formvalues {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

[[noreturn]] void fail(const std::string& source, const std::string& key, const std::string& what) {
    throw FormFileError(source + ": property \"" + key + "\": " + what);
}

// ---- fonts ------------------------------------------------------------------------------------

bool boolField(const json& font, const char* field, bool fallback, const std::string& source,
               const std::string& key) {
    if (!font.contains(field)) return fallback;
    if (!font[field].is_boolean())
        fail(source, key, std::string("font \"") + field + "\" must be true or false");
    return font[field].get<bool>();
}

int16_t int16Field(const json& font, const char* field, int16_t fallback, const std::string& source,
                   const std::string& key) {
    if (!font.contains(field)) return fallback;
    const json& v = font[field];
    if (!v.is_number_integer() || v.get<int64_t>() < INT16_MIN || v.get<int64_t>() > INT16_MAX) {
        fail(source, key, std::string("font \"") + field + "\" must be a 16-bit integer");
    }
    return static_cast<int16_t>(v.get<int64_t>());
}

Variant fontFromJson(const json& font, const std::string& key, const std::string& source) {
    static const char* const kFields[] = {"Name",      "Size",          "Bold",   "Italic",
                                          "Underline", "Strikethrough", "Weight", "Charset"};
    if (!font.is_object()) fail(source, key, "a font must be an object");
    for (const auto& [field, unused] : font.items()) {
        if (std::find(std::begin(kFields), std::end(kFields), field) == std::end(kFields)) {
            fail(source, key, "unknown font attribute \"" + field + "\"");
        }
    }
    if (!font.contains("Name") || !font["Name"].is_string())
        fail(source, key, "font \"Name\" must be a text");
    if (!font.contains("Size") || !font["Size"].is_number())
        fail(source, key, "font \"Size\" must be a number");
    const double size = font["Size"].get<double>();
    if (!(size > 0 && size <= 2048)) fail(source, key, "font \"Size\" out of range");
    platform::FontDesc desc;
    desc.name = utf16(font["Name"].get<std::string>());
    desc.size = size;
    desc.bold = boolField(font, "Bold", false, source, key);
    desc.weight = int16Field(font, "Weight", desc.bold ? 700 : 400, source, key);
    if (!font.contains("Bold")) desc.bold = desc.weight > 550;
    desc.italic = boolField(font, "Italic", false, source, key);
    desc.underline = boolField(font, "Underline", false, source, key);
    desc.strikethrough = boolField(font, "Strikethrough", false, source, key);
    desc.charset = int16Field(font, "Charset", 0, source, key);
    return Variant::object(std::make_shared<platform::StdFont>(desc));
}

ordered_json fontToJson(const platform::StdFont& font) {
    const platform::FontDesc& d = font.desc();
    ordered_json attrs;
    attrs["Name"] = utf8(d.name);
    attrs["Size"] = d.size;
    attrs["Bold"] = d.bold;
    attrs["Italic"] = d.italic;
    attrs["Underline"] = d.underline;
    attrs["Strikethrough"] = d.strikethrough;
    attrs["Weight"] = d.weight;
    attrs["Charset"] = d.charset;
    return attrs;
}

// ---- pictures ---------------------------------------------------------------------------------

Variant pictureFromJson(const json& picture, const std::string& key, const std::string& source) {
    if (!picture.is_object() || !picture.contains("png") || !picture["png"].is_string()) {
        fail(source, key, "a picture must be an object with the text \"png\"");
    }
    for (const auto& [field, unused] : picture.items()) {
        if (field != "png" && field != "transparent")
            fail(source, key, "unknown picture attribute \"" + field + "\"");
    }
    const auto bytes = decodeBase64(picture["png"].get<std::string>());
    if (!bytes) fail(source, key, "picture data is not base64");
    std::string why;
    // No PNG holds a picture without pixels: the empty text stands for the empty picture.
    auto decoded = bytes->empty() ? std::make_shared<platform::Picture>(0, 0, std::vector<uint32_t>{})
                                  : decodePng(bytes->data(), bytes->size(), &why);
    if (!decoded) fail(source, key, "picture data: " + why);
    if (picture.contains("transparent")) {
        const json& t = picture["transparent"];
        if (!t.is_number_integer() || t.get<int64_t>() < -1 || t.get<int64_t>() > 0xFFFFFF) {
            fail(source, key, "picture \"transparent\" must be -1 or an RGB colour");
        }
        decoded->setTransparentColor(t.get<int64_t>());
    }
    return Variant::object(std::move(decoded));
}

ordered_json pictureToJson(const platform::Picture& picture, const std::string& key,
                           const std::string& source) {
    // A picture without pixels (a side of 0) is kept as the empty picture it draws as.
    std::vector<uint8_t> png;
    if (!picture.pixels().empty()) {
        png = encodePng(picture.width(), picture.height(), picture.pixels().data());
        if (png.empty()) fail(source, key, "the picture cannot be encoded as PNG");
    }
    ordered_json attrs;
    attrs["png"] = encodeBase64(png);
    if (picture.transparentColor() != -1) attrs["transparent"] = picture.transparentColor();
    return ordered_json{{"Picture", attrs}};
}

bool holdsOnly(const json& value, const char* field) {
    return value.size() == 1 && value.contains(field);
}

Variant objectFromJson(const json& value, const std::string& key, const std::string& source) {
    if (holdsOnly(value, "Font")) return fontFromJson(value["Font"], key, source);
    if (holdsOnly(value, "Picture")) return pictureFromJson(value["Picture"], key, source);
    if (value.contains("png")) return pictureFromJson(value, key, source);
    if (value.contains("Name") || value.contains("Size")) return fontFromJson(value, key, source);
    fail(source, key, "an object value must be a font (\"Name\", \"Size\", ...) or a picture (\"png\")");
}

ordered_json objectToJson(const Variant& value, const std::string& key, const std::string& source) {
    const auto& object = value.asObject();
    if (!object) return nullptr;
    if (const auto* font = dynamic_cast<const platform::StdFont*>(object.get())) return fontToJson(*font);
    if (const auto* picture = dynamic_cast<const platform::Picture*>(object.get())) {
        return pictureToJson(*picture, key, source);
    }
    fail(source, key, "an object of type " + object->typeName() + " cannot be stored");
}

// A single written as the text it prints as, so that 0.1f is stored as 0.1 and reads back the same.
double singleAsDouble(float value) {
    return std::stod(toUtf8Text(Variant::r4(value)));
}

} // namespace

namespace {

// Nesting deeper than any form needs is refused while parsing, before it costs stack or memory.
constexpr int kMaxJsonDepth = 32;

// Refuses a key written twice in one object, which the parsed object would silently keep only
// once. Keys that differ only in case are left to the property bag, whose keys ignore case.
class DuplicateKeyCheck {
  public:
    explicit DuplicateKeyCheck(std::string source) : source_(std::move(source)) {}
    bool operator()(int depth, json::parse_event_t event, json& parsed) {
        switch (event) {
        case json::parse_event_t::object_start:
        case json::parse_event_t::array_start:
            if (depth >= kMaxJsonDepth)
                throw FormFileError(source_ + ": nested deeper than " + std::to_string(kMaxJsonDepth) +
                                    " levels");
            if (event == json::parse_event_t::object_start) keys_.emplace_back();
            break;
        case json::parse_event_t::object_end:
            keys_.pop_back();
            break;
        case json::parse_event_t::key: {
            std::string key = parsed.get<std::string>();
            if (!keys_.back().insert(key).second)
                throw FormFileError(source_ + ": \"" + key + "\" appears twice");
            break;
        }
        default:
            break;
        }
        return true;
    }

  private:
    std::string source_;
    std::vector<std::set<std::string>> keys_;
};

} // namespace

json parseJson(std::string_view text, const std::string& source) {
    try {
        return json::parse(text.begin(), text.end(), DuplicateKeyCheck(source));
    } catch (const json::out_of_range& e) {
        // A number too large for a double, for one.
        std::string what = e.what();
        const size_t tagEnd = what.find("] ");
        if (tagEnd != std::string::npos) what.erase(0, tagEnd + 2);
        throw FormFileError(source + ": not a valid form: " + what);
    } catch (const json::parse_error& e) {
        // The library's message carries the line and column; drop its own "[json.exception...]" tag.
        std::string what = e.what();
        const size_t tagEnd = what.find("] ");
        if (what.starts_with("[json.exception") && tagEnd != std::string::npos) what.erase(0, tagEnd + 2);
        throw FormFileError(source + ": not valid JSON: " + what);
    } catch (const json::exception& e) {
        throw FormFileError(source + ": not a valid form: " + e.what());
    }
}

Variant fromJson(const json& value, const std::string& key, const std::string& source) {
    switch (value.type()) {
    case json::value_t::boolean:
        return Variant::boolean(value.get<bool>());
    case json::value_t::number_integer:
    case json::value_t::number_unsigned: {
        if (value.is_number_unsigned() && value.get<uint64_t>() > INT32_MAX)
            fail(source, key, "integer out of range");
        const int64_t n = value.get<int64_t>();
        if (n < INT32_MIN || n > INT32_MAX) fail(source, key, "integer out of range");
        return Variant::i4(static_cast<int32_t>(n));
    }
    case json::value_t::number_float:
        return Variant::r8(value.get<double>());
    case json::value_t::string:
        return Variant::string(value.get<std::string>());
    case json::value_t::object:
        return objectFromJson(value, key, source);
    case json::value_t::null:
        return Variant::object(nullptr);
    default:
        fail(source, key, std::string("a value of kind ") + value.type_name() + " is not allowed");
    }
}

ordered_json toJson(const Variant& value, const std::string& key, const std::string& source) {
    switch (value.type()) {
    case VarType::I2:
        return value.asI2();
    case VarType::I4:
        return value.asI4();
    case VarType::R4:
        return singleAsDouble(value.asR4());
    case VarType::R8:
        if (!std::isfinite(value.asR8())) fail(source, key, "a real that is not finite cannot be stored");
        return value.asR8();
    case VarType::Bool:
        return value.asBool();
    case VarType::String:
        return utf8(value.asString());
    case VarType::Object:
        return objectToJson(value, key, source);
    case VarType::Empty:
    case VarType::Missing:
        break;
    }
    fail(source, key, "an empty value cannot be stored");
}

// ---- base64 -----------------------------------------------------------------------------------

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}
} // namespace

std::string encodeBase64(const std::vector<uint8_t>& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t chunk = static_cast<uint32_t>(bytes[i]) << 16;
        if (n > 1) chunk |= static_cast<uint32_t>(bytes[i + 1]) << 8;
        if (n > 2) chunk |= bytes[i + 2];
        for (size_t k = 0; k < 4; ++k)
            out.push_back(k <= n ? kAlphabet[(chunk >> (18 - 6 * k)) & 0x3F] : '=');
    }
    return out;
}

std::optional<std::vector<uint8_t>> decodeBase64(std::string_view text) {
    std::string clean;
    for (char c : text) {
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t') clean.push_back(c);
    }
    if (clean.size() % 4 != 0) return std::nullopt;
    std::vector<uint8_t> out;
    for (size_t i = 0; i < clean.size(); i += 4) {
        const bool last = i + 4 == clean.size();
        const int pad = (clean[i + 3] == '=') + (clean[i + 2] == '=' && clean[i + 3] == '=');
        if (pad > 0 && !last) return std::nullopt;
        uint32_t chunk = 0;
        for (size_t k = 0; k < 4; ++k) {
            const int v = k >= 4 - static_cast<size_t>(pad) ? 0 : base64Value(clean[i + k]);
            if (v < 0) return std::nullopt;
            chunk = (chunk << 6) | static_cast<uint32_t>(v);
        }
        out.push_back(static_cast<uint8_t>(chunk >> 16));
        if (pad < 2) out.push_back(static_cast<uint8_t>((chunk >> 8) & 0xFF));
        if (pad < 1) out.push_back(static_cast<uint8_t>(chunk & 0xFF));
    }
    return out;
}

} // namespace tavrin::software::formvalues
