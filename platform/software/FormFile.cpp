// Reading and writing form files.
//
// Reading is all or nothing: the whole text is parsed and checked into a new FormData, which is
// returned only when every part is valid. Writing goes to a temporary file that replaces the old
// one by a rename, so a failed save leaves the previous form as it was.
#include "platform/software/FormFile.h"

#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/software/Files.h"
#include "platform/software/FormValues.h"
#include "tavrin/platform/Limits.h"

namespace tavrin::software {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

[[noreturn]] void fail(const std::string& source, const std::string& what) {
    throw FormFileError(source + ": " + what);
}

const json& member(const json& form, const char* key, const std::string& source) {
    const auto it = form.find(key);
    if (it == form.end()) fail(source, std::string("missing \"") + key + "\"");
    return *it;
}

std::string textMember(const json& form, const char* key, const std::string& source) {
    const json& v = member(form, key, source);
    if (!v.is_string()) fail(source, std::string("\"") + key + "\" must be a text");
    return v.get<std::string>();
}

int32_t extentMember(const json& form, const char* key, const std::string& source) {
    const json& v = member(form, key, source);
    const bool ok = v.is_number_unsigned() || (v.is_number_integer() && v.get<int64_t>() >= 0);
    if (!ok || v.get<uint64_t>() > INT32_MAX)
        fail(source, std::string("\"") + key + "\" must be a whole number of pixels");
    return static_cast<int32_t>(v.get<uint64_t>());
}

platform::PropertyBag bagFromJson(const json& object, const std::string& source) {
    if (!object.is_object()) fail(source, "the properties must be a JSON object");
    platform::PropertyBag bag;
    for (const auto& [key, value] : object.items()) {
        // Keys compare without regard to case, so "Max" and "max" would be one entry twice.
        if (bag.contains(key)) fail(source, "property \"" + key + "\" appears twice (keys ignore case)");
        bag.set(key, formvalues::fromJson(value, key, source));
    }
    return bag;
}

ordered_json bagToOrderedJson(const platform::PropertyBag& bag, const std::string& source) {
    ordered_json out = ordered_json::object();
    for (const auto& [key, value] : bag.entries())
        out[key] = formvalues::toJson(value, key, source);
    return out;
}

} // namespace

FormData parseForm(std::string_view text, const std::string& sourceName) {
    const json form = formvalues::parseJson(text, sourceName);
    if (!form.is_object()) fail(sourceName, "a form must be a JSON object");
    FormData data;
    data.type = textMember(form, "type", sourceName);
    data.name = textMember(form, "name", sourceName);
    data.width = extentMember(form, "width", sourceName);
    data.height = extentMember(form, "height", sourceName);
    if (!platform::limits::fitsPixels(data.width, data.height))
        fail(sourceName, "a form of " + std::to_string(data.width) + " x " + std::to_string(data.height) +
                             " pixels is larger than a window system allows");
    data.bag = bagFromJson(member(form, "properties", sourceName), sourceName);
    return data;
}

FormData loadForm(const std::string& path) {
    return parseForm(readFormFile(path), path);
}

platform::PropertyBag parseBag(std::string_view text, const std::string& sourceName) {
    return bagFromJson(formvalues::parseJson(text, sourceName), sourceName);
}

std::string formToJson(const FormData& form) {
    ordered_json out;
    out["type"] = form.type;
    out["name"] = form.name;
    out["width"] = form.width;
    out["height"] = form.height;
    out["properties"] = bagToOrderedJson(form.bag, form.name);
    return out.dump(2) + "\n";
}

std::string bagToJson(const platform::PropertyBag& bag) {
    return bagToOrderedJson(bag, "property bag").dump();
}

void saveForm(const std::string& path, const FormData& form) {
    std::string text;
    try {
        text = formToJson(form); // before touching any file: an unstorable value changes nothing
    } catch (const FormFileError& e) {
        fail(path, e.what());
    }
    replaceFile(path, text);
}

std::string readFormFile(const std::string& path) {
    try {
        return readWholeFile(path, platform::limits::kMaxFormFileBytes, "form file");
    } catch (const FileError& e) {
        throw FormFileError(e.what());
    }
}

void replaceFile(const std::string& path, const std::string& text) {
    try {
        writeFileAtomically(path, text);
    } catch (const FileError& e) {
        throw FormFileError(e.what());
    }
}

} // namespace tavrin::software
