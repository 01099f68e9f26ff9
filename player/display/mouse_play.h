#pragma once

#include <vector>

#include "common/keyboard/keyboard_mouse.h"
#include "player/display/keyboard_display.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

class SidePanels;

// Velocity of a mouse click at height y on the large keyboard: the top mouse_vel pixels of a
// key ramp from 1 up to key_velocity, the rest plays key_velocity. Never above key_velocity.
int MouseVelocity(float y, int mouse_vel, int key_velocity);

// Playing the on-screen keyboard with the mouse: a press sounds the key (or the chord built on
// it), dragging glides from key to key, releasing ends the note.
class MousePlay : public KeyboardMouseHandler {
 public:
  // The side panels show the note played (the score, the note picture, the pads).
  MousePlay(PlayerState& state, MidiMode& midi, KeyboardDisplay& display, SidePanels& side_panels);

  // The form takes the presses the keyboard does not play (the popup menu); window events run
  // between the keys of a chord.
  void SetWindow(WindowCommands* window) { window_.Set(window); }

  void Keyboard_MouseDown(int button, int shift, float x, float y) override;
  void Keyboard_MouseMove(int buttons, int shift, float x, float y) override;
  void Keyboard_MouseUp(int button, int shift, float x, float y) override;
  void Keyboard_DblClick() override;

 private:
  bool BarMode() const { return state_.layout.DisplayMode == 2; }
  bool ChordOn() const { return state_.chords.ChordActive == -1; }
  int HitTest(float x, float y) const;
  int NoteOf(int key) const;
  std::vector<int> Intervals() const;
  void Press(int key, float y);
  // Ends what the held key sounded and drew.
  void Release(bool events_before_drawing);
  // Releases the held key on the way to `key`; false when events run meanwhile ended the hold.
  bool ReleaseStillHolding(int key);
  void ShowScore(int key);

  PlayerState& state_;
  MidiMode& midi_;
  KeyboardDisplay& display_;
  SidePanels& side_panels_;
  ViewSlot<WindowCommands> window_;
};

}  // namespace kirivane
