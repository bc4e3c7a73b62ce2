// The list's property table: one row per property and per saved setting, giving its name (the
// member's name and the bag key), member ID, type, default and field. The dispatch interface,
// InitProperties, ReadProperties and WriteProperties all work from it, so a property's default or
// key is written in one place only.
#pragma once

#include <vector>

#include "tavrin/Tavrin.h"

namespace tavrin {

enum class PropertyType { I2, I4, Colour, Bool, Font, Picture };

// What a newly placed control gets.
enum class NewControlValue {
    Default, // the table's default, stored into the field
    Kept,    // its value from Initialize, or the host's own
    Own,     // worked out by InitProperties itself (the ambient font, the text height)
};

struct Tavrin::PropertyRow {
    const char* name; // the member's name, and the key it is saved under
    int32_t memberId; // 0: a saved setting with no automation member
    PropertyType type;
    Variant defaultValue; // the default written and read (for a property that is not saved: its new-control
                          // value)
    NewControlValue newControl;
    int readOrder;                              // when ReadProperties reads it (1 first); 0: not saved
    Variant (*get)(Tavrin&);                    // the get, and what is saved
    void (*let)(Tavrin&, const Variant&);       // the let or set; nullptr: read-only
    void (*store)(Tavrin&, const Variant&);     // straight into the field: loading and defaults
    void (*afterLoad)(Tavrin&, const Variant&); // the extra step after storing the value read, or nullptr
    Variant (*save)(Tavrin&);                   // what is saved when not the get's value, or nullptr

    bool saved() const { return readOrder != 0; }
};

} // namespace tavrin
