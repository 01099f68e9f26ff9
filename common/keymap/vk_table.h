#pragma once

#include <array>
#include <cstdint>

#include "common/keymap/vk_codes.h"

namespace kirivane {

// Virtual-key codes of X11 keys, shared by the window's key events and the key hook so that
// both paths give the same code for the same key.

// From an X keysym (what the key types in the current layout). Letters give their code in
// either case, the symbols of a US layout give the code of the key that types them, keypad
// keysyms follow NumLock as on Windows (KP_1 is keypad 1, KP_End is End). Unknown: code 0.
VirtualKey VkOfKeysym(std::uint32_t keysym);

// From an X keycode (the physical key, evdev numbering + 8, as on every current X server),
// read as a US layout. Keypad keys give their digit codes with NumLock on and their navigation
// codes with it off. Unknown or out of range: code 0.
VirtualKey VkOfXKeycode(int keycode, bool num_lock = true);

// The keysym each X keycode types on its unshifted level in the layout (and group) in use, 0
// where it types nothing or the layout is not known.
using KeyLayout = std::array<std::uint32_t, 256>;

// The code of a physical key in a layout, the way Windows assigns them, so that a key's press
// and release always carry the same code whatever Shift does meanwhile:
// - keypad keys keep their keypad codes on every layout (NumLock decides digit or navigation);
// - the digit row goes by position (also where its unshifted level types no digit);
// - a key that types a letter unshifted gets that letter;
// - a key whose unshifted symbol is one a US layout types unshifted (or "+") gets that symbol's
//   code, and function, editing and modifier keys follow their keysym;
// - any other key keeps the code of its position on a US keyboard.
// Keycode 62 is the right Shift key. Out of range: code 0.
VirtualKey VkOfKey(int keycode, std::uint32_t unshifted_keysym, bool num_lock = true);

}  // namespace kirivane
