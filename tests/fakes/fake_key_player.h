#pragma once

#include "fakes/fake_input.h"
#include "fakes/fake_midi_hooks.h"
#include "fakes/fake_midi_out.h"
#include "fakes/test_paths.h"
#include "player/input/key_events.h"
#include "player/input/key_map_loader.h"

namespace kirivane::testing {

// A player whose key handlers, chords and MIDI layer run against fakes, in display mode 0 with
// the program folder of the build: where the key-event tests and benchmarks start.
struct FakeKeyPlayer {
  FakeKeyPlayer()
      : midi(state, out),
        chords(state, midi, view, label),
        keys(state, midi, view, chords, actions) {
    state.app.ProgramFolder = ProgramDir();
    state.layout.DisplayMode = 0;
  }

  // Loads one of the key maps delivered beside the program.
  KeyMapLoadResult LoadBuiltInMap(const char* name) {
    FakeRandom random;
    FakeKeyMapNotices notices;
    return LoadKeyMap(state, ProgramKeyMapPath(state.app.ProgramFolder, name), random, notices);
  }

  PlayerState state;
  FakeMidiOut out;
  FakeKeyboardView view;
  FakeChordLabel label;
  FakeKeyEventActions actions;
  MidiMode midi;
  ChordSelection chords;
  KeyEvents keys;
};

}  // namespace kirivane::testing
