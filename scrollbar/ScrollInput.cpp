// Mouse input of the scroll bar, from the raw window messages that the subclassing server delivers.
//
// 1. Every handled message reads the cursor and the window rectangle and works out the cursor y in
//    twips; the message's own coordinates are not used.
// 2. WM_MOUSEMOVE: hot tracking (starts the 10 ms leave check), thumb dragging, repaint.
// 3. WM_LBUTTONDOWN / WM_LBUTTONDBLCLK: a button or track press steps at once and arms the
//    auto-repeat; a press on the thumb starts a drag. A double click is simply a second press.
// 4. WM_LBUTTONUP: hot pictures, BarMouseUp after a drag, timers off, flags cleared, repaint.
// 5. WM_TIMER: the leave check; once the cursor is outside and no button is held, the normal
//    pictures come back.
// A failure while handling a message ends that message with a critical message box.
//
// Auto-repeat of a held button or track press:
//
//   | time after press          | what happens                                   |
//   |---------------------------|------------------------------------------------|
//   | 0 ms                      | first step, tScrlEnable on                     |
//   | 500 ms                    | tScrlEnable ticks: tScrl on                    |
//   | 500 ms + tScrl interval   | first repeat (1000 ms on the bar's first hold, |
//   |                           | 550 ms later on, as the interval stays at 50)  |
//   | then every 50 ms          | one repeat, until the release                  |
#include "scrollbar/BarEvents.h"
#include "scrollbar/BarGeometry.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {
constexpr int32_t kLeaveReason = 3;
constexpr int32_t kHookedMessages[] = {platform::WM_MOUSEMOVE, platform::WM_LBUTTONDOWN,
                                       platform::WM_LBUTTONUP, platform::WM_LBUTTONDBLCLK,
                                       platform::WM_TIMER};
} // namespace

void XPVScroll::pSubclass() {
    if (p_Subclassed) pTerminate();
    auto& server = site_.services().subclassServer();
    for (int32_t msg : kHookedMessages)
        server.HookMessage(this, hWnd(), msg);
    p_Subclassed = true;
}

void XPVScroll::pTerminate() {
    try {
        if (!p_Subclassed) return;
        auto& server = site_.services().subclassServer();
        for (int32_t msg : kHookedMessages)
            server.UnhookMessage(this, hWnd(), msg);
        p_Subclassed = false;
    } catch (const AutomationError&) {
        site_.services().MsgBox(u"err: pTerminate", platform::vbCritical, u"XPVScroll");
    }
}

int32_t XPVScroll::ISubclass_WindowProc(int32_t hwnd, int32_t msg, int32_t wParam, int32_t lParam) {
    if (p_Terminated || hwnd != hWnd()) return 0;
    try {
        handleMessage(hwnd, msg);
    } catch (const AutomationError&) {
        // What changed before the failure stays; the user is told, the host goes on.
        site_.services().MsgBox(u"err: ISubclass_WindowProc", platform::vbCritical, u"XPVScroll");
    }
    return 0;
}

float XPVScroll::cursorYTwips() {
    auto& services = site_.services();
    const platform::POINT cursor = services.GetCursorPos();
    const platform::RECT window = services.GetWindowRect(hWnd());
    return toSingle((static_cast<double>(cursor.y) - window.top) * services.screen().TwipsPerPixelY());
}

void XPVScroll::handleMessage(int32_t hwnd, int32_t msg) {
    const float y = cursorYTwips();
    switch (msg) {
    case platform::WM_MOUSEMOVE:
        onMouseMove(y);
        break;
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK:
        onButtonDown(y);
        break;
    case platform::WM_LBUTTONUP:
        onButtonUp(y);
        break;
    case platform::WM_TIMER:
        onLeaveTimer(hwnd);
        break;
    default:
        break;
    }
}

void XPVScroll::onMouseMove(float y) {
    if (!p_Hot) {
        p_Hot = true;
        site_.services().SetTimer(hWnd(), kLeaveTimerId, kLeaveCheckInterval);
    }
    const bool held = p_Dragging || p_Paging || p_Pressed;
    switch (partAt(y)) {
    case BarPart::UpButton:
        if (!held) showPart(p_CurUp, ThemePart::UpHot);
        break;
    case BarPart::DownButton:
        if (!held) showPart(p_CurDown, ThemePart::DownHot);
        break;
    case BarPart::Track:
        showPart(p_CurDown, ThemePart::Down);
        showPart(p_CurUp, ThemePart::Up);
        if (!onThumbForHover(y)) {
            showPart(p_CurBar, ThemePart::Bar); // also during a drag: the thumb waits where it is
        } else {
            if (!p_Paging && !p_Dragging) showPart(p_CurBar, ThemePart::BarHot);
            if (p_Dragging) {
                dragStep(y);
                raiseEvent(BarEvent::BarMouseMove);
            }
        }
        break;
    }
    pDraw();
}

// The thumb follows the cursor. Pushed against an end, the anchor moves with the cursor, so that
// moving back moves the thumb at once. Value is assigned directly: no range rule, no
// PropertyChanged, no repositioning.
void XPVScroll::dragStep(float y) {
    const double t = y - p_DragStartY + p_DragStartTop;
    p_BarTop = t;
    if (t < kButtonHeight) {
        p_BarTop = kButtonHeight;
        p_DragStartTop = kButtonHeight;
        p_DragStartY = y;
        Value_ = Min_;
    } else if (t + p_BarHeight > p_DownTop) {
        p_BarTop = pieceRect(BarPiece::DownButton).top - p_BarHeight; // its bottom on the down button
        p_DragStartTop = p_BarTop;
        p_DragStartY = y;
        Value_ = Max_;
    } else {
        const double travel = thumbTravel(uc_.ScaleHeight());
        Value_ = checkedFinite(Min_ + checkedDiv((Max_ - Min_) * (t - kButtonHeight), travel));
    }
}

void XPVScroll::onButtonDown(float y) {
    switch (partAt(y)) {
    case BarPart::UpButton:
    case BarPart::DownButton: {
        const bool up = partAt(y) == BarPart::UpButton;
        showPart(up ? p_CurUp : p_CurDown, up ? ThemePart::UpPress : ThemePart::DownPress);
        const auto direction = up ? StepDirection::Decrease : StepDirection::Increase;
        if (pStep(direction, SmallChange_)) raiseEvent(BarEvent::Change);
        pBarPosition();
        p_Direction = static_cast<int32_t>(direction);
        tScrlEnable_->SetEnabled(true);
        break;
    }
    case BarPart::Track:
        pressTrack(y);
        showPart(p_CurBar, ThemePart::BarPress);
        break;
    }
    p_Pressed = true;
    pDraw();
}

void XPVScroll::pressTrack(float y) {
    if (onThumbForPress(y)) {
        p_Dragging = true;
        p_DragStartY = y;
        p_DragStartTop = p_BarTop;
        return;
    }
    p_Dragging = false;
    p_Paging = true;
    const auto direction = pagesDown(y) ? StepDirection::Increase : StepDirection::Decrease;
    if (pStep(direction, LargeChange_)) raiseEvent(BarEvent::Change);
    pBarPosition();
    p_Direction = static_cast<int32_t>(direction);
    tScrlEnable_->SetEnabled(true);
}

void XPVScroll::onButtonUp(float y) {
    // The part where the press began keeps its pressed picture if the release is elsewhere, until a
    // later move or the leave check puts it right.
    switch (partAt(y)) {
    case BarPart::UpButton:
        showPart(p_CurUp, ThemePart::UpHot);
        break;
    case BarPart::DownButton:
        showPart(p_CurDown, ThemePart::DownHot);
        break;
    case BarPart::Track:
        showPart(p_CurBar, ThemePart::BarHot);
        break;
    }
    // The flags are still set while the container handles BarMouseUp: a Value it writes then only
    // moves the thumb.
    if (p_Dragging) raiseEvent(BarEvent::BarMouseUp);
    tScrlEnable_->SetEnabled(false);
    tScrl_->SetEnabled(false);
    p_Dragging = false;
    p_Paging = false;
    p_Pressed = false;
    pDraw();
}

void XPVScroll::onLeaveTimer(int32_t hwnd) {
    if (p_Pressed) return;
    pMouseLeave(LeaveCheck::CursorInside, hwnd, kLeaveReason);
    if (p_Hot) return;
    showPart(p_CurBar, ThemePart::Bar);
    showPart(p_CurDown, ThemePart::Down);
    showPart(p_CurUp, ThemePart::Up);
    pDraw();
}

void XPVScroll::pMouseLeave(LeaveCheck check, int32_t hwnd, int32_t reason) {
    if (check == LeaveCheck::CursorInside) {
        auto& services = site_.services();
        const platform::POINT cursor = services.GetCursorPos();
        const platform::RECT window = services.GetWindowRect(hwnd);
        if (platform::PtInRect(window, cursor)) return;
    }
    if (reason != kLeaveReason || p_Pressed) return;
    site_.services().KillTimer(hwnd, kLeaveTimerId);
    p_Hot = false;
}

void XPVScroll::tScrlEnable_Timer() {
    if (p_Terminated) return;
    // Stays enabled until the release; enabling tScrl again does not restart it.
    tScrl_->SetEnabled(true);
}

void XPVScroll::tScrl_Timer() {
    if (p_Terminated) return;
    // Repeats do not look at the cursor: paging goes on past it until an end or the release.
    const auto direction = static_cast<StepDirection>(p_Direction);
    const bool changed = pStep(direction, p_Paging ? LargeChange_ : SmallChange_);
    tScrl_->SetInterval(kRepeatInterval);
    if (changed) raiseEvent(BarEvent::Change);
    pBarPosition();
    pDraw();
}

} // namespace tavrin
