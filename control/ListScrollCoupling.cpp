// How the list follows its scroll bar.
//
// The top row is the bar's value. The bar tells the list only about the user's moves: Change after
// an arrow, track or auto-repeat step, BarMouseUp when a dragged thumb is released (the list
// ignores the thumb while it moves and catches up on release, snapping to a whole row). Setting the
// value from code (TopIndex, scrolling into view, Order) raises nothing and leaves p_LastTop alone.
#include "control/ListEvents.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

void Tavrin::sbUC_Change() {
    double value = sbUC_->Value();
    if (value == p_LastTop) return;
    p_LastTop = roundToI2(value);
    p_LastMouseY = -1; // the next pointer movement re-evaluates the row under it
    if (txtEdit_->Visible()) txtEdit_LostFocus();
    if (ListIndex_ == p_LastIndex) PaintRows();
    raiseEvent(ListEvent::Scroll);
}

void Tavrin::sbUC_BarMouseMove() {}

void Tavrin::sbUC_BarMouseUp() {
    sbUC_->SetValue(static_cast<double>(roundToI4(sbUC_->Value())));
    sbUC_Change();
}

} // namespace tavrin
