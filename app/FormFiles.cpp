// Whole forms in form files.
//
//   {"caption": "To do", "width": 400, "height": 300,
//    "controls": [{"type": "Tavrin", "name": "Tasks", "left": 12, "top": 12, "width": 200,
//                  "height": 160, "tabIndex": 0, "anchor": ["Left", "Top", "Right"],
//                  "properties": {"SelectMode": 1}}, ...]}
//
// A file of one control ({"type": "Tavrin", "name": ..., "width": ..., "height": ...,
// "properties": {...}}, sizes of the client area) loads as a form holding that control at 12, 12.
//
// Loading, all or nothing:
//   1. the whole text is parsed and each control's description checked (type, name, place, bag);
//   2. new controls are created from it beside the old ones and read their bags;
//   3. only when every control loaded do the old ones go and the new ones take their place.
// A control that fails to read its bag is loaded again with one key at a time to name the key.
#include <nlohmann/json.hpp>

#include "app/Hosted.h"
#include "platform/software/FormFile.h"
#include "platform/software/FormValues.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::app {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

constexpr int32_t kSingleControlMargin = 12;
constexpr const char* kEdges[] = {"Left", "Top", "Right", "Bottom"};

struct ControlData {
    ControlType type = ControlType::List;
    std::string name;
    Place place;
    int32_t tabIndex = 0;
    Anchor anchor = Anchor::TopLeft;
    platform::PropertyBag bag;
};

struct FormDoc {
    std::u16string caption = u"Tavrin";
    int32_t width = 0, height = 0;
    std::vector<ControlData> controls;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw FormError(where + ": " + what);
}

json parse(std::string_view text, const std::string& source) {
    try {
        return software::formvalues::parseJson(text, source);
    } catch (const software::FormFileError& e) {
        throw FormError(e.what());
    }
}

const json* lookup(const json& object, const char* key) {
    for (auto it = object.begin(); it != object.end(); ++it)
        if (namesEqual(it.key(), key)) return &*it;
    return nullptr;
}

int32_t whole(const json& object, const char* key, const std::string& where, int32_t fallback, bool required,
              int32_t min) {
    const json* v = lookup(object, key);
    if (!v) {
        if (required) fail(where, std::string("missing key \"") + key + "\"");
        return fallback;
    }
    if (!v->is_number_integer() || v->get<int64_t>() < min || v->get<int64_t>() > 32767)
        fail(where, std::string("key \"") + key + "\" must be a whole number from " + std::to_string(min) +
                        " to 32767");
    return static_cast<int32_t>(v->get<int64_t>());
}

std::string text(const json& object, const char* key, const std::string& where) {
    const json* v = lookup(object, key);
    if (!v) fail(where, std::string("missing key \"") + key + "\"");
    if (!v->is_string()) fail(where, std::string("key \"") + key + "\" must be a text");
    return v->get<std::string>();
}

ControlType typeOf(const std::string& name, const std::string& where) {
    for (ControlType t : {ControlType::List, ControlType::Label, ControlType::Button, ControlType::TextBox})
        if (namesEqual(name, typeName(t))) return t;
    fail(where, "key \"type\": unknown control type \"" + name + "\"");
}

Anchor anchorOf(const json& object, const std::string& where) {
    const json* v = lookup(object, "anchor");
    if (!v) return Anchor::TopLeft;
    if (!v->is_array()) fail(where, "key \"anchor\" must be a list of edges");
    Anchor a = Anchor::None;
    for (const json& edge : *v) {
        bool known = false;
        for (int i = 0; i < 4; ++i)
            if (edge.is_string() && namesEqual(edge.get<std::string>(), kEdges[i])) {
                a = a | static_cast<Anchor>(1 << i);
                known = true;
            }
        if (!known) fail(where, "key \"anchor\": an edge is Left, Top, Right or Bottom");
    }
    return a;
}

platform::PropertyBag bagOf(const json& object, const std::string& where) {
    const json* v = lookup(object, "properties");
    if (!v) return {};
    try {
        return software::parseBag(v->dump(), where);
    } catch (const software::FormFileError& e) {
        throw FormError(e.what());
    }
}

ControlData controlOf(const json& c, const std::string& source, size_t index, bool single) {
    std::string where = source + ": control " + std::to_string(index + 1);
    if (!c.is_object()) fail(where, "a control must be a JSON object");
    ControlData d;
    d.name = text(c, "name", where);
    where = source + ": control \"" + d.name + "\"";
    d.type = typeOf(text(c, "type", where), where);
    d.place.width = whole(c, "width", where, 0, true, 0);
    d.place.height = whole(c, "height", where, 0, true, 0);
    d.place.left = whole(c, "left", where, kSingleControlMargin, !single, -32768);
    d.place.top = whole(c, "top", where, kSingleControlMargin, !single, -32768);
    d.tabIndex = whole(c, "tabIndex", where, static_cast<int32_t>(index), false, 0);
    d.anchor = anchorOf(c, where);
    d.bag = bagOf(c, where);
    return d;
}

FormDoc docOf(std::string_view textIn, const std::string& source) {
    json root = parse(textIn, source);
    if (!root.is_object()) fail(source, "a form must be a JSON object");
    FormDoc doc;
    if (lookup(root, "type")) { // a file of one control
        ControlData d = controlOf(root, source, 0, true);
        doc.width = d.place.width + 2 * kSingleControlMargin;
        doc.height = d.place.height + 2 * kSingleControlMargin;
        doc.controls.push_back(std::move(d));
        return doc;
    }
    if (const json* caption = lookup(root, "caption")) {
        if (!caption->is_string()) fail(source, "key \"caption\" must be a text");
        doc.caption = utf16(caption->get<std::string>());
    }
    doc.width = whole(root, "width", source, 0, true, 1);
    doc.height = whole(root, "height", source, 0, true, 1);
    const json* list = lookup(root, "controls");
    if (!list || !list->is_array()) fail(source, "key \"controls\" must be a list of controls");
    for (size_t i = 0; i < list->size(); ++i) {
        ControlData d = controlOf((*list)[i], source, i, false);
        for (const ControlData& other : doc.controls)
            if (namesEqual(other.name, d.name))
                fail(source + ": control \"" + d.name + "\"", "key \"name\": the name is used twice");
        doc.controls.push_back(std::move(d));
    }
    std::stable_sort(doc.controls.begin(), doc.controls.end(),
                     [](const ControlData& a, const ControlData& b) { return a.tabIndex < b.tabIndex; });
    return doc;
}

std::unique_ptr<Control> create(Window::Impl& form, const ControlData& d, const platform::PropertyBag* bag) {
    switch (d.type) {
    case ControlType::List:
        return makeList(form, d.name, d.place, bag);
    case ControlType::Label:
        return makeLabel(form, d.name, d.place, u"");
    case ControlType::Button:
        return makeButton(form, d.name, d.place, u"");
    case ControlType::TextBox:
        return makeTextBox(form, d.name, d.place, u"");
    }
    return nullptr;
}

// Loads one control; on failure names the first key that fails on its own.
std::unique_ptr<Control> loadControl(Window::Impl& form, const ControlData& d, const std::string& source) {
    std::string where = source + ": control \"" + d.name + "\"";
    auto attempt = [&](const platform::PropertyBag& bag) {
        std::unique_ptr<Control> c = create(form, d, d.type == ControlType::List ? &bag : nullptr);
        if (d.type != ControlType::List) hosted(*c).readBag(bag);
        return c;
    };
    try {
        return attempt(d.bag);
    } catch (const AutomationError& e) {
        for (const auto& [key, value] : d.bag.entries()) {
            platform::PropertyBag one;
            one.set(key, value);
            try {
                attempt(one);
            } catch (const AutomationError& keyError) {
                fail(where, "key \"" + key + "\": " + keyError.what());
            }
        }
        fail(where, e.what());
    }
}

ordered_json controlJson(Control& c) {
    ordered_json out;
    Place p = c.place();
    out["type"] = typeName(c.type());
    out["name"] = c.name();
    out["left"] = p.left;
    out["top"] = p.top;
    out["width"] = p.width;
    out["height"] = p.height;
    out["tabIndex"] = c.tabIndex();
    ordered_json edges = ordered_json::array();
    for (int i = 0; i < 4; ++i)
        if (hasAnchor(c.anchor(), static_cast<Anchor>(1 << i))) edges.push_back(kEdges[i]);
    out["anchor"] = edges;
    platform::PropertyBag bag;
    hosted(c).writeBag(bag);
    try {
        out["properties"] = ordered_json::parse(software::bagToJson(bag));
    } catch (const software::FormFileError& e) {
        fail("control \"" + c.name() + "\"", e.what());
    }
    return out;
}

} // namespace

void Window::loadText(std::string_view json, const std::string& sourceName) {
    FormDoc doc = docOf(json, sourceName);
    std::vector<std::unique_ptr<Control>> loaded;
    for (const ControlData& d : doc.controls) {
        loaded.push_back(loadControl(*impl_, d, sourceName));
        loaded.back()->anchor_ = d.anchor;
    }
    impl_->clear();
    impl_->options.caption = doc.caption;
    resize(doc.width, doc.height);
    for (auto& c : loaded)
        impl_->adopt(std::move(c));
}

void Window::load(const std::string& path) {
    std::string text;
    try {
        text = software::readFormFile(path);
    } catch (const software::FormFileError& e) {
        throw FormError(e.what());
    }
    loadText(text, path);
}

std::string Window::saveText() const {
    ordered_json root;
    root["caption"] = utf8(impl_->options.caption);
    root["width"] = impl_->options.width;
    root["height"] = impl_->options.height;
    ordered_json list = ordered_json::array();
    for (const auto& c : impl_->controls)
        list.push_back(controlJson(*c));
    root["controls"] = list;
    return root.dump(2) + "\n";
}

void Window::save(const std::string& path) const {
    std::string text = saveText(); // an unstorable value fails here, before any file is touched
    try {
        software::replaceFile(path, text);
    } catch (const software::FormFileError& e) {
        throw FormError(e.what());
    }
}

} // namespace tavrin::app
