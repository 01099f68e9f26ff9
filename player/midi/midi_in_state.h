#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kirivane {

// MIDI input: the port chosen and what its notes and controllers hold on the output now, so
// that closing the port, losing the focus or closing the window leaves nothing sounding.
struct MidiInState {
  std::string MidiInPort;  // settings: full name of the input port, "" = none
  // Per incoming note 0..127: channel 1..16 its note-on went out on while it sounds, else 0.
  std::array<std::uint8_t, 128> SoundingChannel{};
  // Per incoming note: the key drawn for it, in the 37-key numbering (the 128-key bar reads it
  // back as the note itself).
  std::array<int, 128> DrawnKey{};
  int DamperChannel = 0;      // channel the input's damper pedal holds down, 0 = pedal up
  int BendChannel = 0;        // channel whose pitch bend the input moved off centre, 0 = none
  int ModulationChannel = 0;  // channel whose modulation the input changed, 0 = none
};

}  // namespace kirivane
