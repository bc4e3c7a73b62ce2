// The property bag: case-insensitive keys, defaults left out on writing.
#include "tavrin/platform/PropertyBag.h"

#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Font.h"

namespace tavrin::platform {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool objectsEqual(const std::shared_ptr<Dispatchable>& a, const std::shared_ptr<Dispatchable>& b) {
    if (a == b) return true;
    // Two fonts with the same attributes are the same setting: the ambient font given as the
    // default is another object than the control's own font.
    const auto* fa = dynamic_cast<const StdFont*>(a.get());
    const auto* fb = dynamic_cast<const StdFont*>(b.get());
    return fa && fb && fa->desc() == fb->desc();
}

} // namespace

bool PropertyBag::KeyLess::operator()(const std::string& a, const std::string& b) const {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = lower(a[i]), y = lower(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
}

Variant PropertyBag::ReadProperty(std::string_view name, const Variant& defaultValue) const {
    lastKeyRead_ = name;
    const auto it = values_.find(std::string(name));
    return it == values_.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(std::string_view name, const Variant& value, const Variant& defaultValue) {
    if (bagValuesEqual(value, defaultValue)) {
        values_.erase(std::string(name));
        return;
    }
    set(name, value);
}

bool PropertyBag::contains(std::string_view name) const {
    return values_.count(std::string(name)) != 0;
}

void PropertyBag::set(std::string_view name, const Variant& value) {
    // operator[] finds a key written earlier in another case and keeps that spelling.
    values_[std::string(name)] = value;
}

bool bagValuesEqual(const Variant& a, const Variant& b) {
    if (a.isNumeric() && b.isNumeric()) return toR8(a) == toR8(b);
    if (a.type() == VarType::String && b.type() == VarType::String) return a.asString() == b.asString();
    if (a.type() == VarType::Object && b.type() == VarType::Object)
        return objectsEqual(a.asObject(), b.asObject());
    const auto nothing = [](const Variant& v) { return v.isEmpty() || v.isMissing(); };
    return nothing(a) && nothing(b);
}

} // namespace tavrin::platform
