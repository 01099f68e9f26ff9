#pragma once

#include <string>
#include <vector>

#include "player/chords/chord_table.h"

namespace kirivane {

// Chord selection state and the chord table.
struct ChordState {
  int ChordActive = 0;        // -1 while the current chord has more than one note
  int ChordIndex = 0;         // chord selected now, 0 = none
  int ChordSelectTarget = 0;  // -1 while the chord dialog was opened from the menu
  // Slots 1..9 are replaced from the settings file; slot 10 is the octave chord at every start.
  ChordSlotTable ChordTable = BuiltInChordTable();
  std::vector<int> CurrentChord;  // offsets of the selected chord, in list order
  std::string ChordLabel;         // what Lbl_Chord shows
};

}  // namespace kirivane
