#pragma once

namespace kirivane {

// Chord selection state (the chord table lives beside it).
struct ChordState {
  int ChordActive = 0;        // -1 while the current chord has more than one note
  int ChordIndex = 0;         // chord selected now, 0 = none
  int ChordSelectTarget = 0;  // -1 while the chord dialog was opened from the menu
};

}  // namespace kirivane
