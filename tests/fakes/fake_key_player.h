#pragma once

#include "fakes/fake_clock.h"
#include "fakes/fake_input.h"
#include "fakes/fake_midi_in.h"
#include "fakes/fake_midi_out.h"
#include "fakes/fake_sounds.h"
#include "fakes/fake_surface.h"
#include "fakes/fake_window.h"
#include "fakes/test_paths.h"
#include "player/app/player.h"

namespace kirivane::testing {

// The fake devices a test player runs on.
struct FakeDevices {
  FakeMidiOut out;
  FakeMidiIn midi_in;
  FakeClock clock;
  FakeRandom random;
  FakeKeyHook hook;
  FakeSounds sounds;
  FakeSurface surface;
  Devices devices{out, midi_in, clock, random, hook, sounds};
};

// The whole player on fake devices, with a fake window, in display mode 0 with the program
// folder of the build: where the key-event tests and benchmarks start.
struct FakeKeyPlayer : FakeDevices {
  FakeKeyPlayer() {
    state.app.ProgramFolder = ProgramDir();
    state.layout.DisplayMode = 0;
    player.SetWindow(&window, &messages);
  }

  // Loads one of the key maps delivered beside the program.
  KeyMapLoadResult LoadBuiltInMap(const char* name) {
    return LoadKeyMap(state, ProgramKeyMapPath(state.app.ProgramFolder, name), random, messages,
                      key_map_view);
  }
  // The typing-key source holds the key of the 37-key drawing.
  bool ShownPressed(int index) const {
    const KeySlot& slot = player.display.Keys().Keys37[static_cast<std::size_t>(index)];
    return slot.DownState != kShownReleased && slot.PressSource == kKeySourceKeys;
  }

  PlayerState state;
  Player player{state, devices, surface};
  FakeWindowCommands window;
  FakeMessages messages;
  FakeKeyMapView key_map_view;
  KeyEvents& keys = player.keys;
  MidiMode& midi = player.midi;
};

}  // namespace kirivane::testing
