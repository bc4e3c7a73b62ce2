// The window's input, handed to the desktop as a user in front of the form would give it.
//
// 1. Mouse input goes to the control's own window in its client coordinates; the desktop routes it
//    to the child under the pointer (the rows, the edit box, the scroll bar) or to the capture.
// 2. While the control's popup menu is shown, a press on an entry chooses it, a press outside the
//    menu cancels it; while a modal form is shown, a press on one of its buttons presses it.
//    Escape closes either. A release always reaches the desktop, so its capture ends with the
//    real button.
// 3. Keys go to the focused window as virtual key codes; Enter, Escape and Backspace also type
//    their character, other characters come from the window's text input. Outside a text box a
//    key may first be taken as a shortcut, and then the character it would type is dropped.
// 4. The wheel goes to the window under the pointer (a list scrolls three rows a notch).
// 5. Pointer motion is coalesced: only the last position of a batch counts. Inside a loop that
//    the control runs with DoEvents (automatic scrolling), each delivered motion may start a
//    nested loop, so there a motion is delivered only when it crosses the control's top or bottom
//    edge or every kNestedMotionMs of the virtual clock.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/sdl/Overlays.h"
#include "platform/software/Desktop.h"

namespace tavrin::sdl {

class InputRouter {
  public:
    static constexpr uint32_t kNestedMotionMs = 100;

    // Canvas: the form's client area as shown in the window, canvasW x canvasH pixels.
    InputRouter(software::Desktop& desktop, platform::HWND control, int32_t canvasW, int32_t canvasH);

    // A shortcut offered a key pressed outside a text box; true when it took the key.
    std::function<bool(int16_t keyCode, int16_t shift)> shortcut;

    // One polled event. Motion waits for flushMotion(), which the poller calls after each batch.
    void feed(const SDL_Event& event);
    void flushMotion();
    // The window was resized: menus and forms are placed within the new canvas.
    void setCanvasSize(int32_t w, int32_t h) {
        canvasW_ = w;
        canvasH_ = h;
    }

    // The program ends: held buttons are released (ending the control's drag loops) and the
    // input pump reports that nothing more will come, which closes any modal thing.
    void requestQuit();
    bool quitting() const { return quit_; }

    // What the presenter draws over the control.
    std::optional<MenuLayout> menuLayout();
    int16_t menuHover() const { return hover_; }
    std::optional<FormLayout> formLayout();
    platform::HWND control() const { return control_; }
    // The control's client origin in canvas pixels.
    platform::POINT controlOrigin() const;

  private:
    enum class Zone { Above, Inside, Below };

    void dispatch(const SDL_Event& event);
    void buttonDown(const SDL_MouseButtonEvent& e);
    void buttonUp(const SDL_MouseButtonEvent& e);
    void motion(const SDL_MouseMotionEvent& e);
    void keyDown(const SDL_KeyboardEvent& e);
    void keyUp(const SDL_KeyboardEvent& e);
    void text(const SDL_TextInputEvent& e);
    void wheel(const SDL_MouseWheelEvent& e);
    bool modalPress(platform::POINT p);
    bool closeModal();
    bool editingText() const;
    Zone zoneOf(float y) const;
    bool motionDue(float y) const;

    software::Desktop& desktop_;
    platform::HWND control_;
    int32_t canvasW_, canvasH_;
    int nesting_ = 0; // dispatches on the stack: above 0 we are inside a pump
    std::optional<SDL_Event> pendingMotion_;
    Zone lastZone_ = Zone::Inside; // of the last motion delivered
    uint32_t lastMotionMs_ = 0;    // virtual time of the last motion delivered
    float lastX_ = 0, lastY_ = 0;  // the pointer in the control's client coordinates
    int16_t held_ = 0;             // buttons the desktop was told are down
    int16_t modifiers_ = 0;        // shift mask from the last key event
    int16_t shortcutKey_ = 0;      // a key taken as a shortcut: its release is dropped too
    bool dropText_ = false;        // the text the shortcut key would type is dropped
    int32_t menuSerial_ = -1;      // the desktop's popup count when the anchor was taken
    platform::POINT menuAnchor_{0, 0};
    int16_t hover_ = -1;
    bool quit_ = false;
};

} // namespace tavrin::sdl
