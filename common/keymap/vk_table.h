#pragma once

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

}  // namespace kirivane
