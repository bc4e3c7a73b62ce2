// What the window's input means to the desktop: SDL keys, buttons and modifiers as the virtual key
// codes and button and shift masks that the control's handlers receive.
//
// Each function answers 0 for what has no meaning to the control (a key without a virtual code, a
// side button), and the caller then drops the input.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace tavrin::sdl {

// The virtual key code of a key: arrows 37-40, Page Up/Down 33/34, Home/End 36/35, Space 32,
// letters 65-90, digits 48-57, Enter 13, Escape 27, Backspace 8, Tab 9, Delete 46.
int16_t virtualKey(SDL_Keycode key);
// The character a key also types on its own (Enter 13, Escape 27, Backspace 8), which the window's
// text input never reports; 0 for the others (Tab moves between controls, it types nothing).
int16_t controlCharacter(int16_t keyCode);
// One button: left 1, right 2, middle 4.
int16_t buttonOf(uint8_t sdlButton);
// The buttons held in an SDL button state mask, as the same bits.
int16_t buttonsHeld(uint32_t sdlButtonState);
// Shift 1, Ctrl 2, Alt 4 from the SDL modifier state.
int16_t shiftOf(uint16_t sdlModifiers);

} // namespace tavrin::sdl
