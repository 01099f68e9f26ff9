#pragma once

#include <QKeyEvent>

#include "common/keymap/vk_codes.h"
#include "common/keymap/vk_table.h"

namespace kirivane {

// The virtual-key code of a Qt key event. Where the platform names the physical key (the X
// keycode), the key and the layout decide (VkOfKey), never the symbol Shift makes of it, so a
// key's press and release carry the same code; Qt's name of the key tells only whether NumLock
// turned the keypad into digits. Where the platform gives no keycode (tests), Qt's key and keypad
// modifier decide.
VirtualKey VkFromQt(const QKeyEvent& event, const KeyLayout& layout);

// The key handlers' modifier mask: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftMaskFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace kirivane
