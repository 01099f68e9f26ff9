#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kirivane {

// One chord: its interval list ("0,4,7", semitones from the played key) and its name.
struct ChordEntry {
  std::string intervals;
  std::string name;
  bool operator==(const ChordEntry&) const = default;
};

// Slot 0 is never filled (ChordIndex 0 = no chord), 1..9 are the user's chords, 10 the chord
// of the keypad decimal point (the octave chord at every start).
inline constexpr int kChordSlots = 11;
inline constexpr int kUserChordSlots = 9;
inline constexpr int kOctaveChordSlot = 10;
using ChordSlotTable = std::array<ChordEntry, kChordSlots>;

// The built-in chord of a slot 1..10 (empty for any other slot).
ChordEntry BuiltInChord(int slot);
// Slots 1..9 built in, slot 10 the octave chord.
ChordSlotTable BuiltInChordTable();

// The offsets of an interval list as a chord plays them: every comma-separated element read by
// its leading number (blanks ignored, 0 when none), rounded half to even, 0 when outside
// -63..63. A list of fewer than two elements gives no offsets (no chord).
std::vector<int> ChordOffsets(std::string_view intervals);

}  // namespace kirivane
