// Mouse input on the drawing surface: clicks, drag selection, hover selection, the popup menu and
// the automatic scrolling beyond the top and bottom edges.
//
// 1. MouseDown (not the right button) makes the row under the pointer current and, in Multiple
//    mode, inverts its flag; the new flag becomes the state a drag paints (p_DragState).
// 2. MouseMove inside the surface makes each newly entered row current, giving it p_DragState;
//    above or below the surface it runs the automatic scrolling, which polls the clock and yields
//    with DoEvents, so every other handler (a nested MouseMove, the MouseUp) runs inside it.
// 3. MouseUp ends the drag; from then on hovering paints rows selected.
//
// Automatic scrolling delays, worked out once when a loop starts:
//   above: (y + 25) * 20 ms, at least 40   ->  480 ms one pixel above, 40 ms from 23 above
//   below: 500 - (y - height - 1) * 20 ms   ->  500 ms one pixel below, 40 ms from 24 below
// The first step comes at once; each step moves the current item by one row.
//
// The clock is the kernel's tick count read as the signed 32-bit value the control declares it as,
// and the time since the last step is a checked 32-bit difference: past 2^31 ms of uptime the
// count reads negative and no step comes (the last step time starts at 0), and a difference
// that does not fit raises Overflow.
#include <climits>
#include <cmath>

#include "control/ListEvents.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {
constexpr int32_t kMinimumDelayMs = 40;

std::vector<Variant> mouseArgs(int16_t button, int16_t shift, float x, float y) {
    return {Variant::i2(button), Variant::i2(shift), Variant::r4(x), Variant::r4(y)};
}

// Whole rows from the top of the surface, in single precision as the coordinates are.
float rowsDown(float y, int16_t rowHeight) {
    return std::floor(checkedFinite(y / static_cast<float>(rowHeight)));
}

// Milliseconds since the last step, as a 32-bit difference of two signed tick counts.
int32_t sinceLastStep(int32_t now, int32_t lastStep) {
    const int64_t elapsed = static_cast<int64_t>(now) - lastStep;
    if (elapsed < INT32_MIN || elapsed > INT32_MAX) raise(err::Overflow);
    return static_cast<int32_t>(elapsed);
}

// The kernel's tick count as the signed 32-bit value the control declares it as.
int32_t signedTicks(uint32_t ticks) {
    return static_cast<int32_t>(ticks);
}
} // namespace

void Tavrin::iUC_MouseDown(int16_t& button, int16_t& shift, float& x, float& y) {
    if (button == vbRightButton) {
        if (ShowMenu_ && y >= 0 && y < userControl().ScaleHeight()) {
            userControl().PopupMenu(*SelectionMenu_);
            if (p_Terminated) return; // terminated while its menu was open
        }
    } else {
        int16_t row = rowUnderY(y);
        if (row >= 0 && row < ListCount()) {
            if (SelectMode_ == SelectModeCts::Single) {
                p_Selected[row] = 1;
            } else {
                p_Selected[row] ^= 1;
                p_DragState = p_Selected[row] != 0;
            }
            p_LastMouseY = y;
            SetListIndex(row);
        }
        p_MouseDown = true;
    }
    std::vector<Variant> args = mouseArgs(button, shift, x, y);
    raiseEvent(ListEvent::MouseDown, args);
}

void Tavrin::iUC_MouseMove(int16_t& button, int16_t& shift, float& x, float& y) {
    p_MouseY = roundToI4(y);
    if (y < 0) {
        AutoScrollUp();
    } else if (y > userControl().ScaleHeight()) {
        AutoScrollDown();
    } else if ((HoverSelection_ || button != 0) &&
               rowsDown(y, p_RowHeight) != rowsDown(p_LastMouseY, p_RowHeight)) {
        int16_t row = rowUnderY(y);
        if (row >= 0 && row < ListCount()) {
            p_Selected[row] = p_DragState ? 1 : 0;
            SetListIndex(row);
            p_LastMouseY = y;
        }
    }
    if (p_Terminated) return; // terminated inside the automatic scrolling
    std::vector<Variant> args = mouseArgs(button, shift, x, y);
    raiseEvent(ListEvent::MouseMove, args);
}

void Tavrin::iUC_MouseUp(int16_t& button, int16_t& shift, float& x, float& y) {
    p_MouseDown = false;
    p_DragState = true;
    std::vector<Variant> args = mouseArgs(button, shift, x, y);
    raiseEvent(ListEvent::MouseUp, args);
}

void Tavrin::iUC_Click() {
    if (ListIndex_ > -1) raiseEvent(ListEvent::Click);
}

void Tavrin::iUC_DblClick() {
    if (ListIndex_ > -1) raiseEvent(ListEvent::DblClick);
}

// The pointer is above the surface: step the current item up while the button is held.
void Tavrin::AutoScrollUp() {
    int32_t delay = std::max(roundToI4((static_cast<double>(p_MouseY) + 25) * 20), kMinimumDelayMs);
    if (!p_MouseDown) return;
    int32_t lastStep = 0;
    while (p_MouseY < 0) {
        if (sinceLastStep(signedTicks(services().GetTickCount()), lastStep) > delay) {
            lastStep = signedTicks(services().GetTickCount());
            if (ListIndex_ > 0) {
                int16_t target = static_cast<int16_t>(ListIndex_ - 1);
                if (SelectMode_ == SelectModeCts::Multiple) p_Selected[target] = p_DragState ? 1 : 0;
                SetListIndex(target);
                PaintRows();
            }
        }
        services().DoEvents();
        if (!p_MouseDown || p_Terminated) break;
    }
}

// The pointer is below the surface: step the current item down while the button is held.
void Tavrin::AutoScrollDown() {
    double distance = static_cast<double>(p_MouseY) - userControl().ScaleHeight() - 1;
    int32_t delay = std::max(roundToI4(500 - distance * 20), kMinimumDelayMs);
    int32_t lastStep = 0;
    while (p_MouseDown && !p_Terminated && p_MouseY > userControl().ScaleHeight() - 1) {
        if (sinceLastStep(signedTicks(services().GetTickCount()), lastStep) > delay) {
            lastStep = signedTicks(services().GetTickCount());
            if (ListIndex_ < ListCount() - 1) {
                int16_t target = static_cast<int16_t>(ListIndex_ + 1);
                if (SelectMode_ == SelectModeCts::Multiple) p_Selected[target] = p_DragState ? 1 : 0;
                SetListIndex(target);
                PaintRows();
            }
        }
        services().DoEvents();
    }
}

} // namespace tavrin
