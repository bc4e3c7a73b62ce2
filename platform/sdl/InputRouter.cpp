#include "platform/sdl/InputRouter.h"

#include "platform/sdl/KeyMap.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::sdl {

using platform::POINT;

namespace {

constexpr int16_t kEscape = 27;
constexpr int kMaxNesting = 200; // beyond this only edge crossings are delivered

// Keys whose press also types a character that the text input reports on its own.
bool typesText(int16_t keyCode) {
    return keyCode == 32 || (keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z');
}

struct Nesting {
    explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
    ~Nesting() { --depth_; }
    int& depth_;
};

} // namespace

InputRouter::InputRouter(software::Desktop& desktop, platform::HWND control, int32_t canvasW, int32_t canvasH)
    : desktop_(desktop), control_(control), canvasW_(canvasW), canvasH_(canvasH) {}

POINT InputRouter::controlOrigin() const {
    POINT client = desktop_.window(control_)->clientOrigin();
    POINT form = desktop_.form().clientOrigin();
    return {client.x - form.x, client.y - form.y};
}

void InputRouter::feed(const SDL_Event& event) {
    if (event.type == SDL_MOUSEMOTION) {
        pendingMotion_ = event;
        return;
    }
    flushMotion();
    dispatch(event);
}

void InputRouter::flushMotion() {
    if (!pendingMotion_) return;
    float y = static_cast<float>(pendingMotion_->motion.y - controlOrigin().y);
    if (!motionDue(y)) return;
    SDL_Event e = *pendingMotion_;
    pendingMotion_.reset();
    dispatch(e);
}

bool InputRouter::motionDue(float y) const {
    if (nesting_ == 0 || zoneOf(y) != lastZone_) return true;
    return nesting_ < kMaxNesting && desktop_.GetTickCount() - lastMotionMs_ >= kNestedMotionMs;
}

InputRouter::Zone InputRouter::zoneOf(float y) const {
    software::DesktopWindow* w = desktop_.window(control_);
    if (y < 0) return Zone::Above;
    return w && y > static_cast<float>(w->clientHeight()) ? Zone::Below : Zone::Inside;
}

void InputRouter::dispatch(const SDL_Event& event) {
    Nesting guard(nesting_);
    switch (event.type) {
    case SDL_QUIT:
        requestQuit();
        break;
    case SDL_MOUSEBUTTONDOWN:
        dropText_ = false;
        buttonDown(event.button);
        break;
    case SDL_MOUSEBUTTONUP:
        buttonUp(event.button);
        break;
    case SDL_MOUSEMOTION:
        motion(event.motion);
        break;
    case SDL_KEYDOWN:
        keyDown(event.key);
        break;
    case SDL_KEYUP:
        keyUp(event.key);
        break;
    case SDL_TEXTINPUT:
        text(event.text);
        break;
    case SDL_MOUSEWHEEL:
        wheel(event.wheel);
        break;
    default:
        break;
    }
}

void InputRouter::buttonDown(const SDL_MouseButtonEvent& e) {
    int16_t button = buttonOf(e.button);
    if (button == 0 || quit_) return;
    if (modalPress({e.x, e.y})) return;
    POINT origin = controlOrigin();
    lastX_ = static_cast<float>(e.x - origin.x);
    lastY_ = static_cast<float>(e.y - origin.y);
    held_ = static_cast<int16_t>(held_ | button);
    desktop_.mouseDown(control_, button, lastX_, lastY_, modifiers_);
}

void InputRouter::buttonUp(const SDL_MouseButtonEvent& e) {
    int16_t button = buttonOf(e.button);
    if (button == 0 || !(held_ & button)) return;
    POINT origin = controlOrigin();
    lastX_ = static_cast<float>(e.x - origin.x);
    lastY_ = static_cast<float>(e.y - origin.y);
    held_ = static_cast<int16_t>(held_ & ~button);
    desktop_.mouseUp(control_, button, lastX_, lastY_, modifiers_);
}

void InputRouter::motion(const SDL_MouseMotionEvent& e) {
    if (auto layout = menuLayout()) {
        hover_ = menuEntryAt(*layout, {e.x, e.y});
        return;
    }
    if (desktop_.shownForm()) return;
    POINT origin = controlOrigin();
    lastX_ = static_cast<float>(e.x - origin.x);
    lastY_ = static_cast<float>(e.y - origin.y);
    lastZone_ = zoneOf(lastY_);
    lastMotionMs_ = desktop_.GetTickCount();
    desktop_.mouseMove(control_, lastX_, lastY_, held_, modifiers_);
}

// A press while a menu or a modal form is shown belongs to it, never to the control.
bool InputRouter::modalPress(POINT p) {
    if (auto layout = menuLayout()) {
        int16_t entry = menuEntryAt(*layout, p);
        if (entry >= 0)
            desktop_.menuChoose(entry); // a disabled entry or a separator leaves the menu open
        else if (!platform::PtInRect(layout->box, p))
            desktop_.menuCancel();
        return true;
    }
    auto* form = dynamic_cast<software::SoftwareForm*>(desktop_.shownForm());
    if (!form) return false;
    if (auto layout = formLayout()) {
        std::u16string caption = formButtonAt(*form, *layout, p, desktop_.options().twipsPerPixel);
        if (!caption.empty()) desktop_.pressFormButton(caption);
    }
    return true;
}

bool InputRouter::closeModal() {
    if (desktop_.menuShown()) {
        desktop_.menuCancel();
        return true;
    }
    if (platform::Form* form = desktop_.shownForm()) {
        form->Unload();
        return true;
    }
    return false;
}

bool InputRouter::editingText() const {
    software::DesktopWindow* focus = desktop_.focused();
    return focus && focus->kind() == software::WindowKind::TextBox;
}

void InputRouter::keyDown(const SDL_KeyboardEvent& e) {
    modifiers_ = shiftOf(e.keysym.mod);
    int16_t code = virtualKey(e.keysym.sym);
    dropText_ = false;
    if (code == 0 || quit_) return;
    if (desktop_.menuShown() || desktop_.shownForm()) {
        if (code == kEscape) closeModal();
        return;
    }
    if (!e.repeat && !editingText() && shortcut && shortcut(code, modifiers_)) {
        shortcutKey_ = code;
        dropText_ = typesText(code);
        return;
    }
    desktop_.keyDown(code, modifiers_);
    if (int16_t ch = controlCharacter(code)) desktop_.keyPress(ch);
}

void InputRouter::keyUp(const SDL_KeyboardEvent& e) {
    modifiers_ = shiftOf(e.keysym.mod);
    int16_t code = virtualKey(e.keysym.sym);
    if (code == 0 || desktop_.menuShown() || desktop_.shownForm()) return;
    if (code == shortcutKey_) {
        shortcutKey_ = 0;
        return;
    }
    desktop_.keyUp(code, modifiers_);
}

void InputRouter::wheel(const SDL_MouseWheelEvent& e) {
    if (quit_ || desktop_.menuShown() || desktop_.shownForm() || e.y == 0) return;
    int32_t notches = e.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.y : e.y;
    desktop_.mouseWheel(control_, lastX_, lastY_, notches);
}

void InputRouter::text(const SDL_TextInputEvent& e) {
    if (std::exchange(dropText_, false) || desktop_.menuShown() || desktop_.shownForm()) return;
    desktop_.typeText(utf16(e.text));
}

void InputRouter::requestQuit() {
    if (quit_) return;
    quit_ = true;
    for (int16_t button : {platform::vbLeftButton, platform::vbRightButton, platform::vbMiddleButton}) {
        if (!(held_ & button)) continue;
        held_ = static_cast<int16_t>(held_ & ~button);
        desktop_.mouseUp(control_, button, lastX_, lastY_, 0);
    }
}

std::optional<MenuLayout> InputRouter::menuLayout() {
    platform::Menu* menu = desktop_.shownMenu();
    if (!menu) return std::nullopt;
    if (menuSerial_ != desktop_.popupCount()) {
        // A new menu opens where the pointer was when it was asked for.
        menuSerial_ = desktop_.popupCount();
        POINT cursor = desktop_.GetCursorPos(), form = desktop_.form().clientOrigin();
        menuAnchor_ = {cursor.x - form.x, cursor.y - form.y};
        hover_ = -1;
    }
    return layoutMenu(*menu, menuAnchor_, canvasW_, canvasH_);
}

std::optional<FormLayout> InputRouter::formLayout() {
    auto* form = dynamic_cast<software::SoftwareForm*>(desktop_.shownForm());
    if (!form) return std::nullopt;
    return layoutForm(*form, desktop_.form().clientOrigin(), canvasW_, canvasH_);
}

} // namespace tavrin::sdl
