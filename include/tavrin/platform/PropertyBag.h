// The host's property bag: where a form keeps the design-time settings of its controls.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "tavrin/automation/Variant.h"

namespace tavrin::platform {

// Keys compare without regard to case. A value equal to the default given on writing is not
// stored (and an entry stored earlier under that key is removed); reading a key that is not
// stored gives the default given on reading.
class PropertyBag {
  public:
    Variant ReadProperty(std::string_view name, const Variant& defaultValue) const;
    void WriteProperty(std::string_view name, const Variant& value, const Variant& defaultValue);

    bool contains(std::string_view name) const;
    void set(std::string_view name, const Variant& value); // store unconditionally
    void clear() { values_.clear(); }
    size_t size() const { return values_.size(); }

    struct KeyLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    // Entries with the case of the key as first written.
    const std::map<std::string, Variant, KeyLess>& entries() const { return values_; }
    // The key of the latest ReadProperty: what a load that failed on a value was reading.
    const std::string& lastKeyRead() const { return lastKeyRead_; }

  private:
    std::map<std::string, Variant, KeyLess> values_;
    mutable std::string lastKeyRead_;
};

// Equality of a written value with its default the way the bag decides it: numbers (and Booleans)
// by value whatever their types, texts by text, objects never equal to a non-object.
bool bagValuesEqual(const Variant& a, const Variant& b);

} // namespace tavrin::platform
