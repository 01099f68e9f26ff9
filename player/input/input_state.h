#pragma once

#include <string>

namespace kirivane {

// Typing-key state: key map, hook, damper from the Space key.
struct InputState {
  int HookActive = 0;            // -1 while the global keyboard hook is on
  int ControllerKeys = -1;       // -1 = up/down arrows move the controller panel
  int DamperDown = 0;            // -1 while Space holds the damper pedal down
  int KeyMapFromCommandLine = 0;  // -1 when a switch chose the key map (then not saved)
  int DrawWhileHooked = -1;      // -1 = keep drawing the keyboard while the hook is on
  int DrumStart = 0;             // -1 = start with the percussion set (channel 10)
  std::string KeyMapFile;        // full path of the key map file
};

}  // namespace kirivane
