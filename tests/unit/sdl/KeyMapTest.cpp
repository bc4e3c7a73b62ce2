// The translation of the window's keys, buttons and modifiers into what the control receives.
#include <gtest/gtest.h>

#include "platform/sdl/KeyMap.h"
#include "tavrin/platform/Host.h"

namespace tavrin::sdl {
namespace {

TEST(KeyMapTest, KeysBecomeTheControlsVirtualKeyCodes) {
    struct Case {
        SDL_Keycode key;
        int16_t code;
    };
    const Case cases[] = {
        {SDLK_LEFT, 37},
        {SDLK_UP, 38},
        {SDLK_RIGHT, 39},
        {SDLK_DOWN, 40},
        {SDLK_PAGEUP, 33},
        {SDLK_PAGEDOWN, 34},
        {SDLK_HOME, 36},
        {SDLK_END, 35},
        {SDLK_SPACE, 32},
        {SDLK_a, 65},
        {SDLK_t, 84},
        {SDLK_z, 90},
        {SDLK_0, 48},
        {SDLK_9, 57},
        {SDLK_RETURN, 13},
        {SDLK_KP_ENTER, 13},
        {SDLK_ESCAPE, 27},
        {SDLK_BACKSPACE, 8},
        {SDLK_DELETE, 46},
        // Keys the control has no code for are dropped.
        {SDLK_F1, 0},
        {SDLK_LSHIFT, 0},
        {SDLK_KP_8, 0},
        {SDLK_UNKNOWN, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtualKey(c.key), c.code) << "key " << c.key;
}

TEST(KeyMapTest, OnlyEnterEscapeAndBackspaceTypeACharacterOfTheirOwn) {
    EXPECT_EQ(controlCharacter(13), 13);
    EXPECT_EQ(controlCharacter(27), 27);
    EXPECT_EQ(controlCharacter(8), 8);
    // Letters and Space come through the text input; Tab and arrows type nothing.
    for (int16_t code : {65, 32, 9, 40, 46, 0})
        EXPECT_EQ(controlCharacter(code), 0) << code;
}

TEST(KeyMapTest, ButtonsAndHeldStatesUseTheControlsMasks) {
    EXPECT_EQ(buttonOf(SDL_BUTTON_LEFT), platform::vbLeftButton);
    EXPECT_EQ(buttonOf(SDL_BUTTON_RIGHT), platform::vbRightButton);
    EXPECT_EQ(buttonOf(SDL_BUTTON_MIDDLE), platform::vbMiddleButton);
    EXPECT_EQ(buttonOf(SDL_BUTTON_X1), 0);
    EXPECT_EQ(buttonsHeld(0), 0);
    EXPECT_EQ(buttonsHeld(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK),
              platform::vbLeftButton | platform::vbRightButton);
    EXPECT_EQ(buttonsHeld(SDL_BUTTON_MMASK | SDL_BUTTON_X2MASK), platform::vbMiddleButton);
}

TEST(KeyMapTest, EitherSideOfAModifierCounts) {
    EXPECT_EQ(shiftOf(KMOD_NONE), 0);
    EXPECT_EQ(shiftOf(KMOD_LSHIFT), platform::vbShiftMask);
    EXPECT_EQ(shiftOf(KMOD_RSHIFT), platform::vbShiftMask);
    EXPECT_EQ(shiftOf(KMOD_RCTRL), platform::vbCtrlMask);
    EXPECT_EQ(shiftOf(KMOD_LALT | KMOD_LCTRL | KMOD_RSHIFT),
              platform::vbShiftMask | platform::vbCtrlMask | platform::vbAltMask);
    // Lock keys are no modifiers to the control.
    EXPECT_EQ(shiftOf(KMOD_CAPS | KMOD_NUM), 0);
}

} // namespace
} // namespace tavrin::sdl
