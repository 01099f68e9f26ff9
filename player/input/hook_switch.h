#pragma once

#include "player/input/input_window.h"
#include "player/input/key_hook.h"
#include "player/midi/midi_hooks.h"
#include "player/state/player_state.h"

namespace kirivane {

enum class HookSwitchResult { kSwitchedOn, kSwitchedOff, kUnavailable };

// The hook button's click: switches the global keyboard hook on or off, with the button's
// caption and colour, the caption suffix, key preview and the keyboard drawing that go with
// it. When the hook cannot start, nothing changes and kUnavailable tells the window to say so.
HookSwitchResult Check1_Click(PlayerState& state, KeyHook& hook, InputWindow& window,
                              KeyboardView& view);

}  // namespace kirivane
