// Form files: a saved control as JSON, its property bag inside.
//
//   {"type": "Tavrin", "name": "Tavrin1", "width": 200, "height": 160,
//    "properties": {"SelectMode": 1, "BackNormal": -2147483643, "Max": 100.0, "WordWrap": false,
//                   "dFormat": "0.0", "Font": {"Name": "DejaVu Sans", "Size": 8.0, "Bold": false, ...},
//                   "SelectionPicture": {"Picture": {"png": "iVBORw0..."}}}}
//
// Integers read back as 32-bit integers, reals (written with a decimal point) as doubles; the
// control converts each to its field's type. Texts are UTF-8 in the file and UTF-16 in the bag.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tavrin/platform/PropertyBag.h"

namespace tavrin::software {

// A form that cannot be read, parsed or written; the message names the file and the fault.
class FormFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct FormData {
    std::string type; // "Tavrin" or "XPVScroll"
    std::string name; // the name the host gave the control
    int32_t width = 0, height = 0;
    platform::PropertyBag bag;
};

// Each throws FormFileError and returns nothing when the text is not a valid form; sourceName is
// what the message calls the text (a file name, "inline bag", ...).
FormData parseForm(std::string_view json, const std::string& sourceName);
FormData loadForm(const std::string& path);
// An inline property bag: a JSON object of key to value, `{"SelectMode": 1, "ItemHeight": 30}`.
platform::PropertyBag parseBag(std::string_view json, const std::string& sourceName);

// The form as JSON text; FormFileError when the bag holds a value a form file cannot keep (an
// empty value, an object other than a font or a picture).
std::string formToJson(const FormData& form);
std::string bagToJson(const platform::PropertyBag& bag);
// Writes a fresh temporary file beside path and renames it over path (see Files.h). On failure
// the temporary file is removed, an existing file at path is left as it was, and FormFileError
// says why.
void saveForm(const std::string& path, const FormData& form);

// The whole text of a file; FormFileError when it cannot be read, is not a plain file or is
// larger than a form file may be.
std::string readFormFile(const std::string& path);
// Replaces path with text atomically, with saveForm's guarantees.
void replaceFile(const std::string& path, const std::string& text);

} // namespace tavrin::software
