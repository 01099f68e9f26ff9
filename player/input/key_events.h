#pragma once

#include "common/keymap/vk_codes.h"
#include "player/chords/chord_selection.h"
#include "player/display/keyboard_display.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

// How a key event arrived.
struct KeyFlags {
  bool auto_repeat = false;  // X11 sends held keys as repeated release + press pairs
  bool right_shift = false;  // the right Shift key (code 16 like the left one, never plays)
};

class ControllerLantern;
class DeviceControls;
class SidePanels;
class Transport;

// The controllers the keys drive besides the notes and chords.
struct KeyEventPeers {
  DeviceControls& devices;     // octave, transposition, instrument
  ControllerLantern& lantern;  // the arrow keys and F10
  SidePanels& side_panels;     // score, note picture, pads, the record/playback strip
  Transport& transport;        // F5, F11, Esc
};

// The typing keyboard as an instrument: the main window's key-down and key-up events. Bound
// keys play notes or the current chord and draw the keys; Space holds the damper; function
// keys, arrows, Page Up/Down and the keypad drive the program.
class KeyEvents {
 public:
  KeyEvents(PlayerState& state, MidiMode& midi, KeyboardDisplay& display, ChordSelection& chords,
            const KeyEventPeers& peers)
      : state_(state), midi_(midi), view_(display), chords_(chords), peers_(peers) {}

  // F1, F12 and the display mode keys act on the window.
  void SetWindow(WindowCommands* window) { window_.Set(window); }

  // Both return the key code afterwards: 0 when the key was consumed and must go no further
  // (the window then swallows it).
  int Form_KeyDown(int key_code, int shift, KeyFlags flags = {});
  int Form_KeyUp(int key_code, int shift, KeyFlags flags = {});

  // True while the key is held: its note sounds, Space holds the damper, Esc is down.
  bool Holds(int key_code, KeyFlags flags = {}) const;
  // Ends every held key and the damper, as if all were released.
  void ReleaseAllHeldKeys();
  // The window lost the keyboard focus: with the hook off no release would ever arrive, so the
  // held keys are released.
  void FocusLost();

 private:
  int KeyNumberOf(int key_code, KeyFlags flags) const;
  void PlayKey(int k);
  void ReleaseKey(int k);
  void ReleaseDamper();
  void ReleaseEsc();
  // The keys handled only while the hook is off. True when the key was handled here.
  bool HandleWindowKey(int& key_code, int shift);
  void ChangeDisplayMode(int mode);
  void MoveController(int delta);
  void HandleCommonKey(int& key_code, int shift);
  void StepOctave(int delta);
  void StepTranspose(int delta);
  void StepInstrument(int delta);
  void F5(int shift);

  bool EscShowsRecordPicture() const;

  PlayerState& state_;
  MidiMode& midi_;
  KeyboardDisplay& view_;
  ChordSelection& chords_;
  KeyEventPeers peers_;
  ViewSlot<WindowCommands> window_;
};

}  // namespace kirivane
