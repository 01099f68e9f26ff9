#pragma once

#include <string>

#include "common/basic/random_source.h"
#include "common/basic/sounds.h"
#include "player/input/key_map_loader.h"
#include "player/midi/midi_hooks.h"
#include "player/state/messages.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

inline constexpr int kWaveKeyMapBuiltIn = 102;  // after a built-in map from the menu
inline constexpr int kWaveKeyMapFile = 103;     // after a map chosen with the file dialog

// The key map in use: loaded at start, from the key map menu, and when the percussion set is
// left. A load that leaves the player without any key map closes the program.
class KeyMapCommands {
 public:
  KeyMapCommands(PlayerState& state, RandomSource& random, Sounds& sounds, KeyboardView& keyboard)
      : state_(state), random_(random), sounds_(sounds), keyboard_(keyboard) {}

  void SetView(KeyMapView* view) { view_.Set(view); }
  void SetWindow(WindowCommands* window, Messages* messages) {
    window_.Set(window);
    messages_.Set(messages);
  }

  // At load: KeyMapFile (the default map when none is set).
  KeyMapLoadResult LoadAtStart();
  // mnuKeysDefault_Click, mnuKeysMod_Click, mnuKeysPosition_Click (a built-in map by its file
  // name) and mnuKeysFileOpen_Click (a chosen file): loads it, plays the command's sound and
  // shows the new labels (or, while hooked with drawing off, the notice that drawing is off).
  KeyMapLoadResult LoadBuiltIn(const std::string& name);
  KeyMapLoadResult LoadFile(const std::string& path);
  // The default key map, quietly.
  KeyMapLoadResult LoadDefault();

 private:
  KeyMapLoadResult Load(const std::string& path);
  KeyMapLoadResult LoadWithSound(const std::string& path, int wave_resource);

  PlayerState& state_;
  RandomSource& random_;
  Sounds& sounds_;
  KeyboardView& keyboard_;
  ViewSlot<KeyMapView> view_;
  ViewSlot<WindowCommands> window_;
  ViewSlot<Messages> messages_;
};

}  // namespace kirivane
