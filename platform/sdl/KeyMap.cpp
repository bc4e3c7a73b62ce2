#include "platform/sdl/KeyMap.h"

#include "tavrin/platform/Host.h"

namespace tavrin::sdl {

namespace {

struct KeyEntry {
    SDL_Keycode key;
    int16_t code;
};

constexpr KeyEntry kNamedKeys[] = {
    {SDLK_LEFT, 37},     {SDLK_UP, 38},     {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},  {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34}, {SDLK_HOME, 36},   {SDLK_END, 35},      {SDLK_SPACE, 32}, {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27}, {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},    {SDLK_DELETE, 46},
};

constexpr int16_t kEnter = 13, kEscape = 27, kBackspace = 8;

} // namespace

int16_t virtualKey(SDL_Keycode key) {
    // SDL names letters by their lower-case character; the virtual code is the capital's.
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<int16_t>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<int16_t>('0' + (key - SDLK_0));
    for (const KeyEntry& e : kNamedKeys)
        if (e.key == key) return e.code;
    return 0;
}

int16_t controlCharacter(int16_t keyCode) {
    switch (keyCode) {
    case kEnter:
    case kEscape:
    case kBackspace:
        return keyCode;
    default:
        return 0;
    }
}

int16_t buttonOf(uint8_t sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return platform::vbLeftButton;
    case SDL_BUTTON_RIGHT:
        return platform::vbRightButton;
    case SDL_BUTTON_MIDDLE:
        return platform::vbMiddleButton;
    default:
        return 0;
    }
}

int16_t buttonsHeld(uint32_t sdlButtonState) {
    int16_t held = 0;
    for (uint8_t b : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE})
        if (sdlButtonState & SDL_BUTTON(b)) held = static_cast<int16_t>(held | buttonOf(b));
    return held;
}

int16_t shiftOf(uint16_t sdlModifiers) {
    int16_t shift = 0;
    if (sdlModifiers & KMOD_SHIFT) shift |= platform::vbShiftMask;
    if (sdlModifiers & KMOD_CTRL) shift |= platform::vbCtrlMask;
    if (sdlModifiers & KMOD_ALT) shift |= platform::vbAltMask;
    return shift;
}

} // namespace tavrin::sdl
