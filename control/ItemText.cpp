// Item texts: storing a new text, in place or on the heap.
#include "tavrin/ItemText.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

// The new text may lie inside this one's own storage: it is in place before anything is released.
void ItemText::assign(std::u16string_view text) {
    if (text.size() > kInline) {
        char16_t* fresh = new char16_t[text.size()];
        std::copy(text.begin(), text.end(), fresh);
        release();
        setHeap(fresh);
    } else if (onHeap()) {
        char16_t* former = heap(); // freed once the new text is in place
        std::memmove(inline_, text.data(), text.size() * sizeof(char16_t));
        delete[] former;
    } else {
        std::memmove(inline_, text.data(), text.size() * sizeof(char16_t)); // may overlap
    }
    size_ = static_cast<uint32_t>(text.size());
}

} // namespace tavrin
