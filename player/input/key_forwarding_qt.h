#pragma once

#include <QKeyEvent>

#include "common/keymap/vk_table.h"
#include "player/input/key_events.h"

namespace kirivane {

// Hands the window's Qt key events to the key handlers with their virtual-key code (read from
// the physical key and `layout`), modifier mask, auto-repeat mark and Shift side. True when the
// handlers consumed the key, so the window accepts the event and passes it no further (F10 then
// opens no menu).
bool ForwardKeyPress(KeyEvents& keys, const QKeyEvent& event, const KeyLayout& layout);
bool ForwardKeyRelease(KeyEvents& keys, const QKeyEvent& event, const KeyLayout& layout);

// While a popup menu has the keyboard its keys are the menu's: a press plays nothing, and only
// the release of a key held since before the menu opened reaches the handlers, so that nothing
// is left sounding.
void ForwardKeyReleaseToHeldKey(KeyEvents& keys, const QKeyEvent& event, const KeyLayout& layout);

// A key of the system-wide hook (X keycode 0..255, pressed or released, NumLock on), read
// through the same translation as the window's own keys. While a popup menu of the player is
// open, its keys are the menu's, as in the window.
void ForwardHookKey(KeyEvents& keys, const KeyLayout& layout, int keycode, bool down,
                    bool num_lock);

}  // namespace kirivane
