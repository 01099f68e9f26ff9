#pragma once

#include <QKeyEvent>

#include "common/keymap/vk_codes.h"

namespace kirivane {

// The virtual-key code of a Qt key event. The native keysym decides first (it tells keypad
// digits from keypad navigation and left from right Shift), then the native X keycode, and
// where the platform gives neither (Wayland, tests) Qt's key and keypad modifier.
VirtualKey VkFromQt(const QKeyEvent& event);

// The key handlers' modifier mask: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftMaskFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace kirivane
