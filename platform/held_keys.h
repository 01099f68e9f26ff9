#pragma once

namespace kirivane {

// Modifier keys held down while the program starts.
struct HeldKeys {
  bool ctrl = false;
  bool shift = false;
};

// Asks the X server named by DISPLAY which keys are down now. Without a display (or when it
// cannot be opened) no key counts as held.
HeldKeys ReadHeldKeys();

}  // namespace kirivane
