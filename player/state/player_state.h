#pragma once

#include "player/chords/chord_state.h"
#include "player/display/display_state.h"
#include "player/input/input_state.h"
#include "player/layout/layout_state.h"
#include "player/midi/midi_in_state.h"
#include "player/midi/midi_state.h"
#include "player/performance/event_table.h"
#include "player/performance/performance_state.h"
#include "player/smf/smf_state.h"
#include "player/state/app_state.h"

namespace kirivane {

// Everything the player's subsystems share. The application owns one and passes it by
// reference; a default-constructed PlayerState holds the start values of every field.
struct PlayerState {
  AppState app;
  InputState input;
  MidiState midi;
  MidiInState midi_in;
  DisplayState display;
  LayoutState layout;
  PerformanceState performance;
  EventTable events;
  SmfState smf;
  ChordState chords;
};

}  // namespace kirivane
