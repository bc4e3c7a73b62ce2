// Item texts: storing a new text, in place or on the heap.
#include "tavrin/ItemText.h"

#include <algorithm>

namespace tavrin {

// The new text may lie inside this one's own storage: copy it out before anything is released.
void ItemText::assign(std::u16string_view text) {
    if (text.size() > kInline) {
        char16_t* fresh = new char16_t[text.size()];
        std::copy(text.begin(), text.end(), fresh);
        release();
        setHeap(fresh);
    } else {
        char16_t copy[kInline];
        std::copy(text.begin(), text.end(), copy);
        release();
        std::copy(copy, copy + text.size(), inline_);
    }
    size_ = static_cast<uint32_t>(text.size());
}

} // namespace tavrin
