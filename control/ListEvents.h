// The events of the list's event interface, by member ID, and their names: declared once, raised
// through Tavrin::raiseEvent.
#pragma once

#include <cstdint>

#include "tavrin/Tavrin.h"

namespace tavrin {

enum class ListEvent : int32_t {
    Click = 1,
    DblClick = 2,
    KeyDown = 3,
    KeyPress = 4,
    KeyUp = 5,
    ListIndexChange = 6,
    MouseDown = 7,
    MouseMove = 8,
    MouseUp = 9,
    Scroll = 10,
    TopIndexChange = 11,
};

inline const char* eventName(ListEvent event) {
    static const char* const names[] = {"",          "Click",   "DblClick",        "KeyDown",
                                        "KeyPress",  "KeyUp",   "ListIndexChange", "MouseDown",
                                        "MouseMove", "MouseUp", "Scroll",          "TopIndexChange"};
    return names[static_cast<int32_t>(event)];
}

} // namespace tavrin
