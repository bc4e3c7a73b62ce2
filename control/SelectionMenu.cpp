// The popup selection menu: select all, unselect all, invert. Its entries are enabled only in
// Multiple mode (the SelectMode let and loading switch them); the actions themselves do not look
// at the mode, raise no event and leave the current item alone.
#include <algorithm>

#include "tavrin/Tavrin.h"

namespace tavrin {

namespace {
enum MenuEntry : int16_t { SelectAll = 0, UnselectAll = 1, Separator = 2, Invert = 3 };
} // namespace

void Tavrin::optSelectionMenu_Click(int16_t index) {
    if (p_Terminated) return; // a choice from a menu that outlived its list
    const size_t count = static_cast<size_t>(ListCount());
    switch (index) {
    case SelectAll:
        std::fill_n(p_Selected.begin(), count, uint8_t{1});
        break;
    case UnselectAll:
        p_Selected.assign(count + 1, 0);
        break;
    case Invert:
        for (size_t i = 0; i < count; ++i)
            p_Selected[i] ^= 1;
        break;
    default:
        break;
    }
    iUC_Paint();
}

} // namespace tavrin
