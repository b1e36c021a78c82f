// Keyboard input for the end-to-end driver: real key presses through SendInput, as a person
// types them into whatever window has the keyboard focus.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace e2e {

// Presses and releases each virtual key in turn, with a short pause after each.
void PressKeys(std::initializer_list<WORD> keys);

}  // namespace e2e
