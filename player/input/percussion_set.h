#pragma once

#include "common/basic/random_source.h"
#include "player/input/input_window.h"
#include "player/input/key_event_actions.h"
#include "player/input/key_map_loader.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"

namespace kirivane {

// The percussion set: keyboard and playback notes go to channel 10 while it is selected.
// Image16 selects it; Image7 and Image8 leave it, and pressing them plays two drums each.
class PercussionSet {
 public:
  PercussionSet(PlayerState& state, MidiMode& midi, InputWindow& window, KeyEventActions& actions)
      : state_(state), midi_(midi), window_(window), actions_(actions) {}

  void Image16_Click();
  // Leaving the set also leaves the random key map for the default one. kFatal when not even
  // the default key map could be loaded: the program must close (the rest is left undone).
  KeyMapLoadResult LeavePercussionSet(RandomSource& random, KeyMapNotices& notices);
  // The drum pads: 7 for Image7, 8 for Image8.
  void PadMouseDown(int pad);
  void PadMouseUp(int pad);

 private:
  PlayerState& state_;
  MidiMode& midi_;
  InputWindow& window_;
  KeyEventActions& actions_;
};

}  // namespace kirivane
