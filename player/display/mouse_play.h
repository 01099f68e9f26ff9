#pragma once

#include <vector>

#include "common/keyboard/keyboard_mouse.h"
#include "player/display/keyboard_display.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"

namespace kirivane {

// What mouse play asks of the rest of the main window.
class MousePlayPeers {
 public:
  virtual ~MousePlayPeers() = default;
  // The score view: note picture of a set (1 = the percussion pictures) and the score note.
  virtual void ShowNotePicture(int index, int set) = 0;
  virtual void ShowScoreNote(int note) = 0;
  // Pressed and released pictures of the Command10 pair.
  virtual void Command10_MouseDown() = 0;
  virtual void Command10_MouseUp() = 0;
  // The form's own mouse-down (window drag, popup menu).
  virtual void Form_MouseDown(int button, int shift, float x, float y) = 0;
  // Lets waiting window events run.
  virtual void DoEvents() = 0;
};

// Velocity of a mouse click at height y on the large keyboard: the top mouse_vel pixels of a
// key ramp from 1 up to key_velocity, the rest plays key_velocity. Never above key_velocity.
int MouseVelocity(float y, int mouse_vel, int key_velocity);

// Playing the on-screen keyboard with the mouse: a press sounds the key (or the chord built on
// it), dragging glides from key to key, releasing ends the note.
class MousePlay : public KeyboardMouseHandler {
 public:
  MousePlay(PlayerState& state, MidiMode& midi, KeyboardDisplay& display, MousePlayPeers& peers);

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
  void ShowScore(int key);

  PlayerState& state_;
  MidiMode& midi_;
  KeyboardDisplay& display_;
  MousePlayPeers& peers_;
};

}  // namespace kirivane
