// The scroll bar's property table: one row per property, giving its name (the member's name and
// the bag key), member ID, default and field. The dispatch interface, InitProperties,
// ReadProperties and WriteProperties all work from it.
#pragma once

#include <vector>

#include "tavrin/XPVScroll.h"

namespace tavrin {

struct XPVScroll::PropertyRow {
    const char* name;       // the member's name, and the key it is saved under
    int32_t memberId;       // kDispIdBase + its place in the interface
    Variant defaultValue;   // written and read (16-bit integers, True as a Boolean, the empty text)
    bool newControlDefault; // InitProperties stores the default (Theme and dFormat keep their own)
    bool saved;
    Variant (*get)(XPVScroll&);                // the get
    void (*let)(XPVScroll&, const Variant&);   // the let; nullptr: read-only
    Variant (*field)(const XPVScroll&);        // the stored value, as it is saved
    void (*store)(XPVScroll&, const Variant&); // straight into the field, no range rule
};

} // namespace tavrin
