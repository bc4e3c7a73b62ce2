// Keys and focus.
//
// The control previews every key pressed while its drawing surface has the focus. KeyDown moves
// the current item through the ListIndex let (so the host's ListIndexChange handler runs first),
// then passes the key on as KeyDown; KeyPress and KeyUp only pass it on. Shift, Ctrl and Alt change
// nothing: there is no range selection by keyboard. The focus handlers keep the focus rectangle and
// the frame's focus colour up to date.
#include "control/ListEvents.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {

enum VirtualKey : int16_t { Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Up = 38, Down = 40 };
} // namespace

void Tavrin::UserControl_KeyDown(int16_t& keyCode, int16_t& shift) {
    if (ListCount() > 0 && ListIndex_ != -1) {
        const int16_t count = ListCount();
        const int16_t rows = p_VisibleRows;
        switch (keyCode) {
        case Space:
            if (SelectMode_ == SelectModeCts::Multiple) {
                p_Selected[ListIndex_] ^= 1;
                DrawItem(ListIndex_);
                DrawFocus(ListIndex_);
            }
            raiseEvent(ListEvent::Click);
            break;
        case PageUp:
            SetListIndex(ListIndex_ > rows ? subI2(ListIndex_, rows) : int16_t{0});
            break;
        case PageDown:
            if (ListIndex_ < subI2(subI2(count, rows), 1))
                SetListIndex(addI2(ListIndex_, rows));
            else
                SetListIndex(subI2(count, 1));
            break;
        case End:
            SetListIndex(subI2(count, 1));
            break;
        case Home:
            SetListIndex(0);
            break;
        case Up:
            if (ListIndex_ > 0) SetListIndex(subI2(ListIndex_, 1));
            PaintRows();
            break;
        case Down:
            if (ListIndex_ < subI2(count, 1)) SetListIndex(addI2(ListIndex_, 1));
            PaintRows();
            break;
        default:
            break;
        }
    }
    std::vector<Variant> args{Variant::i2(keyCode), Variant::i2(shift)};
    raiseEvent(ListEvent::KeyDown, args);
}

void Tavrin::UserControl_KeyPress(int16_t& keyAscii) {
    std::vector<Variant> args{Variant::i2(keyAscii)};
    raiseEvent(ListEvent::KeyPress, args);
}

void Tavrin::UserControl_KeyUp(int16_t& keyCode, int16_t& shift) {
    std::vector<Variant> args{Variant::i2(keyCode), Variant::i2(shift)};
    raiseEvent(ListEvent::KeyUp, args);
}

void Tavrin::UserControl_EnterFocus() {
    p_HasFocus = true;
    DrawFocus(ListIndex_);
}

void Tavrin::UserControl_ExitFocus() {
    p_HasFocus = false;
    DrawItem(ListIndex_);
}

// The frame ring shows the focus colour while the drawing surface has the focus.
void Tavrin::iUC_GotFocus() {
    if (GotFocusEffect_) userControl().SetBackColor(GotFocusEffectColor_);
}

void Tavrin::iUC_LostFocus() {
    if (GotFocusEffect_) userControl().SetBackColor(BorderColor_);
}

} // namespace tavrin
