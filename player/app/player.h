#pragma once

#include "common/basic/clock.h"
#include "common/basic/random_source.h"
#include "common/basic/sounds.h"
#include "common/keyboard/surface.h"
#include "player/chords/chord_selection.h"
#include "player/display/keyboard_display.h"
#include "player/display/mouse_play.h"
#include "player/input/hook_switch.h"
#include "player/input/key_events.h"
#include "player/input/key_hook.h"
#include "player/input/key_map_commands.h"
#include "player/input/percussion_set.h"
#include "player/layout/controller_lantern.h"
#include "player/layout/side_panels.h"
#include "player/midi/device_controls.h"
#include "player/midi/midi_in.h"
#include "player/midi/midi_mode.h"
#include "player/midi/midi_out.h"
#include "player/midi/midi_thru.h"
#include "player/performance/performance_messages.h"
#include "player/performance/playback_engine.h"
#include "player/performance/recorder.h"
#include "player/performance/transport.h"
#include "player/state/messages.h"
#include "player/state/player_state.h"
#include "player/state/window_commands.h"

namespace kirivane {

// The devices the player works with: real ones built by main.cpp, fakes in the tests.
struct Devices {
  MidiOut& midi_out;
  MidiIn& midi_in;
  Clock& clock;
  RandomSource& random;
  KeyHook& key_hook;
  Sounds& sounds;
};

// Every note and pedal change the MIDI layer sends: the score shows the note that sounded, the
// recorder keeps it while a take runs.
class PlayedEvents : public EventSink {
 public:
  PlayedEvents(SidePanels& side_panels, Recorder& recorder)
      : side_panels_(side_panels), recorder_(recorder) {}
  void RecordEvent(int data, int velocity, int kind) override;

 private:
  SidePanels& side_panels_;
  Recorder& recorder_;
};

// The player without its window: every core controller, built and wired to the others and to
// the devices. The window attaches itself (SetWindow) and its panels attach as the views of
// their controllers; until then each controller talks to a view that does nothing, so tests,
// benchmarks and tools use a Player as it is. The controllers are its public members, in the
// order they are built.
class Player {
 public:
  // keyboard: the surface the on-screen keyboard is drawn on.
  Player(PlayerState& state, const Devices& devices, Surface& keyboard);
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // The window's commands and its message boxes, handed to every controller that uses them.
  void SetWindow(WindowCommands* window, Messages* messages);

  PlayerState& state;
  const Devices devices;
  MidiMode midi;
  KeyboardDisplay display;
  ChordSelection chords;
  SidePanels side_panels;
  DeviceControls device_controls;
  ControllerLantern lantern;
  KeyMapCommands key_maps;
  PercussionSet percussion;
  HookSwitch hook;
  PerformanceMessageBox performance_messages;
  Recorder recorder;
  PlaybackEngine engine;
  Transport transport;
  KeyEvents keys;
  MousePlay mouse;
  MidiThru midi_thru;

 private:
  PlayedEvents played_events_;
};

}  // namespace kirivane
