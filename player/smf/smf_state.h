#pragma once

#include <cstdint>
#include <string>

namespace kirivane {

// Standard MIDI File export and import options.
struct SmfState {
  int MidiReadEx = 1;       // import option
  int MidiMergeTracks = 0;  // settings: 1 = format-1 files are imported with their tracks merged
  std::string MidiReadChannels = "1,2,3,4,5,6,7,8,9,11,12,13,14,15,16";
  int MidiEndTime = 200;               // ms added after the last event on export
  std::int32_t TempoMicros = 1000000;  // microseconds per quarter note of the last import
  std::int32_t TotalTicks = 0;         // ticks read by the last import
  std::string MidiTextEvent;           // text of the last text meta event imported
};

}  // namespace kirivane
