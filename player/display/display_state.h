#pragma once

namespace kirivane {

// On-screen keyboard state.
struct DisplayState {
  int MouseKey = -1;        // key held with the mouse, -1 = none
  int MouseVel = 50;        // settings: mouse velocity ramp 0..63
  int C3To60 = 0;           // settings: 1 = note 60 is named C3 instead of C4
  float LastMouseX = 0.0f;  // last mouse position over the keyboard, for the double click
  float LastMouseY = 0.0f;
};

}  // namespace kirivane
