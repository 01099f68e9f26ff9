#pragma once

#include <vector>

namespace kirivane {

// What the key held with the mouse sounded and drew, so that its release ends exactly that,
// even after an octave, transposition, chord or display mode change.
struct MouseHeldNotes {
  std::vector<int> notes;  // notes sent, in order
  std::vector<int> keys;   // keys drawn: 37-key indexes, or notes of the 128-key bar
  bool bar = false;        // drawn on the 128-key bar
};

// On-screen keyboard state.
struct DisplayState {
  int MouseKey = -1;        // key held with the mouse, -1 = none
  int MouseVel = 50;        // settings: mouse velocity ramp 0..63
  int C3To60 = 0;           // settings: 1 = note 60 is named C3 instead of C4
  float LastMouseX = 0.0f;  // last mouse position over the keyboard, for the double click
  float LastMouseY = 0.0f;
  MouseHeldNotes MouseHeld;
};

}  // namespace kirivane
