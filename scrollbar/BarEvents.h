// The events of the scroll bar's event interface, by member ID, and their names: declared once,
// raised through XPVScroll::raiseEvent and heard by the list that owns the bar.
#pragma once

#include <cstdint>

namespace tavrin {

enum class BarEvent : int32_t {
    Change = 1,
    BarMouseMove = 2,
    BarMouseUp = 3,
};

inline const char* eventName(BarEvent event) {
    static const char* const names[] = {"", "Change", "BarMouseMove", "BarMouseUp"};
    return names[static_cast<int32_t>(event)];
}

} // namespace tavrin
