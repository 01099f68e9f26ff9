#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/keymap/vk_table.h"

namespace kirivane {

// What a held key sounded when it was pressed, so its release ends exactly those notes even
// when the octave, transposition or chord changed in between.
struct HeldKeyNotes {
  std::vector<int> offsets;  // chord offsets drawn, in order
  std::vector<int> notes;    // notes sent, in the same order
};

// Typing-key state: key map, hook, damper from the Space key.
struct InputState {
  int HookActive = 0;             // -1 while the global keyboard hook is on
  int ControllerKeys = -1;        // -1 = up/down arrows move the controller panel
  int DamperDown = 0;             // -1 while Space holds the damper pedal down
  int KeyMapFromCommandLine = 0;  // -1 when a switch chose the key map (then not saved)
  int DrawWhileHooked = -1;       // -1 = keep drawing the keyboard while the hook is on
  int DrumStart = 0;              // -1 = start with the percussion set (channel 10)
  std::string KeyMapFile;         // full path of the key map file
  // Key map: virtual-key code -> key number 7..43, 0 = not bound.
  std::array<std::int32_t, 256> KeyIndexOfCode{};
  // Labels of the 37 on-screen keys (index = key number - 7), at most two characters each.
  std::array<std::string, 37> KeyLabels{};
  // Per key number 0..44: the key number itself while held, -1 once released.
  std::array<std::int16_t, 45> KeyDownState{};
  std::array<HeldKeyNotes, 45> HeldKeys{};
  int EscHeld = 0;       // -1 while Esc is held
  int ModeChanging = 0;  // -1 while a display mode change asked for from the keyboard is applied
  // What each X keycode types unshifted in the keyboard layout in use (kept by the platform).
  KeyLayout KeyboardLayout{};
};

}  // namespace kirivane
