// The current item, the selection in its two modes, and the top row.
//
// Every change of the current item goes through SetListIndex, in this order:
//   1. range check (380)          5. repaint the former and the new row, then the focus rectangle
//   2. end an open edit           6. scroll the item into view (unless p_AutoScroll was cleared)
//   3. store the new index        7. PropertyChanged "ListIndex"
//   4. Single mode: move the flag 8. ListIndexChange, also for an unchanged value
// The top row is not kept here: it is the scroll bar's value.
#include "control/ListEvents.h"
#include "control/SelectionMenuEntries.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

void Tavrin::SetListIndex(int16_t v) {
    if (v > ListCount() - 1 || v < -1) RaiseInvalidPropertyValue();
    if (txtEdit_->Visible()) txtEdit_LostFocus();

    if (ListCount() > 0 && v >= 0) {
        ListIndex_ = v;
    } else {
        ListIndex_ = -1;
        p_LastMouseY = -1;
    }

    if (SelectMode_ == SelectModeCts::Single) {
        if (p_LastIndex >= 0 && static_cast<size_t>(p_LastIndex) < p_Selected.size())
            p_Selected[p_LastIndex] = 0;
        if (ListIndex_ >= 0) p_Selected[ListIndex_] = 1;
    }

    DrawItem(p_LastIndex);
    p_LastIndex = ListIndex_;
    DrawItem(ListIndex_);
    DrawFocus(ListIndex_);

    if (p_AutoScroll) {
        double top = topRow();
        int16_t rows = p_VisibleRows;
        if (ListIndex_ >= 0 && top > ListIndex_)
            sbUC_->SetValue(ListIndex_);
        else if (top + rows - 1 < ListIndex_)
            sbUC_->SetValue(static_cast<double>(ListIndex_) - rows + 1);
        PaintRows();
    } else {
        p_AutoScroll = true;
    }

    propertyChanged("ListIndex");
    raiseEvent(ListEvent::ListIndexChange);
}

int16_t Tavrin::TopIndex() const {
    return roundToI2(sbUC_->Value());
}

// Accepted from 0 to ListCount - p_VisibleRows: with fewer items than rows no value is valid.
void Tavrin::SetTopIndex(int16_t v) {
    if (v > ListCount() - p_VisibleRows || v < 0) RaiseInvalidPropertyValue();
    sbUC_->SetValue(v);
    PaintRows();
    propertyChanged("TopIndex");
    raiseEvent(ListEvent::TopIndexChange);
}

void Tavrin::SetSelectMode(SelectModeCts v) {
    SelectMode_ = v;
    if (site_.AmbientUserMode()) {
        bool multiple = v != SelectModeCts::Single;
        if (!multiple && ListIndex_ >= 0) {
            std::fill(p_Selected.begin(), p_Selected.end(), uint8_t{0});
            p_Selected[ListIndex_] = 1;
            DrawItem(ListIndex_);
            DrawFocus(ListIndex_);
        }
        enableMenuActions(*SelectionMenu_, multiple);
    }
    UpdateScrollRange();
    iUC_Paint();
    propertyChanged("SelectMode");
}

// Multiple mode: the flag itself. Single mode: True makes the item current; False does nothing.
void Tavrin::SetItemSelected(int16_t index, bool selected) {
    checkItemIndex(index);
    if (SelectMode_ == SelectModeCts::Single) {
        if (selected) SetListIndex(index);
        return;
    }
    p_Selected[index] = selected ? 1 : 0;
    DrawItem(index);
    if (index == ListIndex_) DrawFocus(index);
}

} // namespace tavrin
