// Reading and writing form files.
//
// Reading is all or nothing: the whole text is parsed and checked into a new FormData, which is
// returned only when every part is valid. Writing goes to a temporary file that replaces the old
// one by a rename, so a failed save leaves the previous form as it was.
#include "platform/software/FormFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/software/FormValues.h"

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

std::string readWholeFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) fail(path, "is a directory, not a form file");
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path, std::string("cannot open: ") + std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) fail(path, "cannot read");
    return text.str();
}

// Writes all of text to a new file at path and makes it durable; false on any failure, with the
// file removed again when it was created.
bool writeWholeFile(const std::string& path, const std::string& text, std::string& why) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        why = std::strerror(errno);
        return false; // nothing created: whatever is at path is not ours to remove
    }
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fflush(f) == 0;
    ok = ok && ::fsync(fileno(f)) == 0;
    if (!ok) why = std::strerror(errno);
    if (std::fclose(f) != 0 && ok) {
        why = std::strerror(errno);
        ok = false;
    }
    if (!ok) std::remove(path.c_str());
    return ok;
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
    data.bag = bagFromJson(member(form, "properties", sourceName), sourceName);
    return data;
}

FormData loadForm(const std::string& path) {
    return parseForm(readWholeFile(path), path);
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
    return readWholeFile(path);
}

void replaceFile(const std::string& path, const std::string& text) {
    const std::string temp = path + ".tmp";
    std::string why;
    if (!writeWholeFile(temp, text, why)) {
        fail(path, "cannot write " + temp + ": " + why);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        why = std::strerror(errno);
        std::remove(temp.c_str());
        fail(path, "cannot replace the file: " + why);
    }
}

} // namespace tavrin::software
