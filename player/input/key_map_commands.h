#pragma once

#include <string>

#include "common/basic/random_source.h"
#include "player/input/input_window.h"
#include "player/input/key_map_loader.h"
#include "player/midi/midi_hooks.h"
#include "player/state/player_state.h"

namespace kirivane {

inline constexpr int kWaveKeyMapBuiltIn = 102;  // after a built-in map from the menu
inline constexpr int kWaveKeyMapFile = 103;     // after a map chosen with the file dialog

// A key-map menu command once its file is known: loads it, plays the command's sound and
// shows the new labels (or, while hooked with drawing off, the notice that drawing is off).
KeyMapLoadResult RunKeyMapCommand(PlayerState& state, const std::string& path, int wave_resource,
                                  RandomSource& random, KeyMapNotices& notices, InputWindow& window,
                                  KeyboardView& view);

}  // namespace kirivane
