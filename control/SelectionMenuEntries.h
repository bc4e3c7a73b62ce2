// The entries of the popup selection menu, by the index its Click reports, and their captions in
// that order: declared once for the menu's creation, its Click handler and whoever drives it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tavrin/platform/Host.h"

namespace tavrin {

enum class MenuEntry : int16_t { SelectAll = 0, UnselectAll = 1, Separator = 2, Invert = 3 };

inline std::vector<std::u16string> selectionMenuCaptions() {
    return {u"&Select all", u"&Unselect all", u"-", u"&Invert"};
}

// Enables or disables the three actions together; the separator is left as it is.
inline void enableMenuActions(platform::Menu& menu, bool enabled) {
    for (MenuEntry entry : {MenuEntry::SelectAll, MenuEntry::UnselectAll, MenuEntry::Invert})
        menu.SetEnabled(static_cast<int16_t>(entry), enabled);
}

} // namespace tavrin
