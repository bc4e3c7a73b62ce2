// The user at the desktop: mouse, keyboard and focus.
//
// Mouse input, in order:
//   1. the cursor moves to the point (screen = target's client origin + x, y);
//   2. the receiving window is the one holding the capture, else the topmost window under the
//      cursor; coordinates are made relative to its client area;
//   3. a left press first moves the focus there (picture box, text box; never a scroll bar);
//   4. a window hooked through the subclassing server gets raw messages, any other its events;
//   5. queued paints are delivered when the input call ends.
// Keys go to the focused window; with KeyPreview on, the control sees them first.
#include <cmath>
#include <cstdlib>

#include "platform/software/Desktop.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

using platform::HWND;
using platform::vbLeftButton;

namespace {

constexpr int32_t WM_RBUTTONDOWN = 0x204, WM_RBUTTONUP = 0x205, WM_MBUTTONDOWN = 0x207, WM_MBUTTONUP = 0x208;
constexpr int32_t MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8, MK_MBUTTON = 0x10;

int32_t keyFlags(int16_t buttons, int16_t shift) {
    int32_t f = 0;
    if (buttons & platform::vbLeftButton) f |= MK_LBUTTON;
    if (buttons & platform::vbRightButton) f |= MK_RBUTTON;
    if (buttons & platform::vbMiddleButton) f |= MK_MBUTTON;
    if (shift & platform::vbShiftMask) f |= MK_SHIFT;
    if (shift & platform::vbCtrlMask) f |= MK_CONTROL;
    return f;
}

int32_t makeLParam(float x, float y) {
    auto lo = static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int32_t>(std::floor(x))));
    auto hi = static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int32_t>(std::floor(y))));
    return static_cast<int32_t>(lo | (hi << 16));
}

// The message of a button going down or up: left, right or middle.
int32_t buttonMessage(int16_t button, Desktop::ButtonEdge edge) {
    const bool down = edge == Desktop::ButtonEdge::Down;
    if (button == vbLeftButton) return down ? platform::WM_LBUTTONDOWN : platform::WM_LBUTTONUP;
    if (button == platform::vbRightButton) return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Mouse

DesktopWindow* Desktop::pointerTarget(HWND target, float x, float y, float& wx, float& wy) {
    DesktopWindow* t = window(target);
    if (!t) raise(err::InvalidCall);
    platform::POINT origin = t->clientOrigin();
    float sx = static_cast<float>(origin.x) + x, sy = static_cast<float>(origin.y) + y;
    cursor_ = {static_cast<int32_t>(std::floor(sx)), static_cast<int32_t>(std::floor(sy))};
    DesktopWindow* w = capture_;
    if (!w) w = form_->hitTest(cursor_);
    if (!w && t->parent() == nullptr) w = t->hitTest(cursor_); // a window outside the form
    if (!w) return nullptr;
    platform::POINT o = w->clientOrigin();
    wx = sx - static_cast<float>(o.x);
    wy = sy - static_cast<float>(o.y);
    return w;
}

void Desktop::mouseMove(HWND target, float x, float y, int16_t buttons, int16_t shift) {
    float wx = 0, wy = 0;
    if (DesktopWindow* w = pointerTarget(target, x, y, wx, wy)) deliverMove(*w, buttons, shift, wx, wy);
    flushPaints();
}

void Desktop::mouseWheel(HWND target, float x, float y, int32_t notches) {
    float wx = 0, wy = 0;
    DesktopWindow* w = pointerTarget(target, x, y, wx, wy);
    // The wheel goes up from the window under the pointer to the first one that takes it.
    for (; w; w = w->parent()) {
        platform::POINT o = w->clientOrigin();
        float cx = static_cast<float>(cursor_.x - o.x), cy = static_cast<float>(cursor_.y - o.y);
        if (w->events && w->events->mouseWheel(notches, cx, cy)) break;
    }
    flushPaints();
}

void Desktop::deliverMove(DesktopWindow& w, int16_t buttons, int16_t shift, float x, float y) {
    if (hooked(w.hwnd()))
        sendMessage(w.hwnd(), platform::WM_MOUSEMOVE, keyFlags(buttons, shift), makeLParam(x, y));
    else if (w.events)
        w.events->mouseMove(buttons, shift, x, y);
}

bool Desktop::isDoubleClick(const DesktopWindow& w) const {
    return lastClick_.hwnd == w.hwnd() && clock_.now() - lastClick_.time <= kDoubleClickMs &&
           std::abs(cursor_.x - lastClick_.at.x) <= kDoubleClickPx &&
           std::abs(cursor_.y - lastClick_.at.y) <= kDoubleClickPx;
}

void Desktop::mouseDown(HWND target, int16_t button, float x, float y, int16_t shift) {
    float wx = 0, wy = 0;
    DesktopWindow* w = pointerTarget(target, x, y, wx, wy);
    if (!w) return flushPaints();
    HWND hwnd = w->hwnd();
    heldButtons_ |= button;
    if (!capture_) {
        capture_ = w;
        captureButton_ = button;
    }
    if (button == vbLeftButton) {
        if (w->takesFocus() && w->enabled()) setFocus(w);
        if (!window(hwnd)) return flushPaints(); // a focus handler destroyed it
        pressWasDouble_ = isDoubleClick(*w);
        pressed_ = w;
        press_ = {hwnd, clock_.now(), cursor_};
        if (pressWasDouble_) {
            lastClick_ = {};
            if (hooked(hwnd))
                sendMessage(hwnd, platform::WM_LBUTTONDBLCLK, keyFlags(heldButtons_, shift),
                            makeLParam(wx, wy));
            else if (w->events)
                w->events->dblClick();
            return flushPaints();
        }
    }
    deliverButton(*w, ButtonEdge::Down, button, shift, wx, wy);
    flushPaints();
}

// A hooked window hears of the button as a message, any other through its events.
void Desktop::deliverButton(DesktopWindow& w, ButtonEdge edge, int16_t button, int16_t shift, float x,
                            float y) {
    if (hooked(w.hwnd()))
        sendMessage(w.hwnd(), buttonMessage(button, edge), keyFlags(heldButtons_, shift), makeLParam(x, y));
    else if (w.events && edge == ButtonEdge::Down)
        w.events->mouseDown(button, shift, x, y);
    else if (w.events)
        w.events->mouseUp(button, shift, x, y);
}

void Desktop::mouseUp(HWND target, int16_t button, float x, float y, int16_t shift) {
    float wx = 0, wy = 0;
    DesktopWindow* w = pointerTarget(target, x, y, wx, wy);
    heldButtons_ &= static_cast<int16_t>(~button);
    if (capture_ && button == captureButton_) capture_ = nullptr;
    if (!w) {
        if (button == vbLeftButton) pressed_ = nullptr;
        return flushPaints();
    }
    HWND hwnd = w->hwnd();
    bool inside = wx >= 0 && wy >= 0 && wx < static_cast<float>(w->clientWidth()) &&
                  wy < static_cast<float>(w->clientHeight());
    bool clicked = button == vbLeftButton && pressed_ == w && inside && !pressWasDouble_;
    if (button == vbLeftButton) {
        pressed_ = nullptr;
        pressWasDouble_ = false;
    }
    deliverButton(*w, ButtonEdge::Up, button, shift, wx, wy);
    if (clicked) {
        lastClick_ = press_;
        DesktopWindow* again = window(hwnd); // the MouseUp handler may have destroyed it
        if (again && !hooked(hwnd) && again->events) again->events->click();
    }
    flushPaints();
}

// ---------------------------------------------------------------------------------------------
// Focus
//
//   into a control:        EnterFocus (control), GotFocus (child)
//   out of a control:      LostFocus (child), ExitFocus (control)
//   child to child inside: LostFocus (old), GotFocus (new)

void Desktop::focusWindow(HWND hwnd) {
    DesktopWindow* w = hwnd == 0 ? other_.get() : window(hwnd);
    if (w && w->takesFocus() && w->shown()) setFocus(w);
    flushPaints();
}

void Desktop::setFocus(DesktopWindow* window) {
    if (window == focused_) return;
    DesktopWindow* from = std::exchange(focused_, window);
    changeFocus(from, window);
}

void Desktop::changeFocus(DesktopWindow* from, DesktopWindow* to) {
    HWND fromHwnd = from ? from->hwnd() : 0, toHwnd = to ? to->hwnd() : 0;
    SiteCore* a = from ? from->owner() : nullptr;
    SiteCore* b = to ? to->owner() : nullptr;
    if (from && from->events) from->events->lostFocus();
    if (a && a != b && this->window(fromHwnd) == from) {
        if (auto handler = a->site().ExitFocus) handler();
    }
    if (b && a != b) {
        if (auto handler = b->site().EnterFocus) handler();
    }
    if (to && this->window(toHwnd) == to && to->events) to->events->gotFocus();
}

std::string Desktop::focusName() const {
    if (!focused_) return "";
    return focused_->kind() == WindowKind::Other ? "other" : focused_->name();
}

// ---------------------------------------------------------------------------------------------
// Keys

// The focused window and its control, when the control previews the keys of its children.
bool Desktop::previewing(DesktopWindow*& focus, SiteCore*& site) const {
    focus = focused_;
    site = focus ? focus->owner() : nullptr;
    return site && focus != &site->window() && site->userControl().KeyPreview();
}

void Desktop::keyDown(int16_t keyCode, int16_t shift) {
    if (keyFilter && keyFilter(keyCode, shift)) return flushPaints();
    DesktopWindow* focus;
    SiteCore* site;
    if (previewing(focus, site)) {
        if (auto handler = site->site().KeyDown) handler(keyCode, shift);
    }
    // The preview handler may have moved the focus or closed the window: look again.
    if (focused_ && focused_->events) focused_->events->keyDown(keyCode, shift);
    flushPaints();
}

void Desktop::keyUp(int16_t keyCode, int16_t shift) {
    DesktopWindow* focus;
    SiteCore* site;
    if (previewing(focus, site)) {
        if (auto handler = site->site().KeyUp) handler(keyCode, shift);
    }
    flushPaints();
}

void Desktop::keyPress(int16_t ascii) {
    DesktopWindow* focus;
    SiteCore* site;
    if (previewing(focus, site)) {
        if (auto handler = site->site().KeyPress) handler(ascii);
    }
    // A preview handler that sets KeyAscii to 0 swallows the character.
    if (ascii != 0 && focused_ && focused_->kind() == WindowKind::TextBox && focused_->events)
        focused_->events->keyPress(ascii);
    flushPaints();
}

void Desktop::typeText(const std::u16string& text) {
    for (char16_t c : text)
        keyPress(static_cast<int16_t>(c));
}

} // namespace tavrin::software
