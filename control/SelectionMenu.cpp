// The popup selection menu: select all, unselect all, invert. Its entries are enabled only in
// Multiple mode (the SelectMode let and loading switch them); the actions themselves do not look
// at the mode, raise no event and leave the current item alone.
#include <algorithm>

#include "control/SelectionMenuEntries.h"
#include "tavrin/Tavrin.h"

namespace tavrin {

void Tavrin::optSelectionMenu_Click(int16_t index) {
    if (p_Terminated) return; // a choice from a menu that outlived its list
    const size_t count = static_cast<size_t>(ListCount());
    switch (static_cast<MenuEntry>(index)) {
    case MenuEntry::SelectAll:
        std::fill_n(p_Selected.begin(), count, uint8_t{1});
        break;
    case MenuEntry::UnselectAll:
        p_Selected.assign(count + 1, 0);
        break;
    case MenuEntry::Invert:
        for (size_t i = 0; i < count; ++i)
            p_Selected[i] ^= 1;
        break;
    default:
        break;
    }
    iUC_Paint();
}

} // namespace tavrin
