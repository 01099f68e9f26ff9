#include "player/display/mouse_play.h"

#include <algorithm>

#include "common/basic/text_rules.h"
#include "common/keyboard/keyboard_layout.h"
#include "player/layout/side_panels.h"

namespace kirivane {
namespace {

bool InMidiRange(int note) {
  return note >= 0 && note <= 127;
}

}  // namespace

int MouseVelocity(float y, int mouse_vel, int key_velocity) {
  if (mouse_vel == 0 || RoundHalfEven(y) > mouse_vel) return key_velocity;
  // Between mouse_vel and mouse_vel + 0.5 the ramp would pass key_velocity (and could pass
  // 127, which is no velocity at all): the ramp stops at full velocity. At its top it stops at
  // 1: a note-on of velocity 0 is a note-off, and a key drawn pressed must sound.
  const auto ramp = IntegerPart(static_cast<double>(key_velocity) * y / mouse_vel);
  return static_cast<int>(std::clamp<std::int64_t>(ramp, 1, std::max(key_velocity, 1)));
}

MousePlay::MousePlay(PlayerState& state, MidiMode& midi, KeyboardDisplay& display,
                     SidePanels& side_panels)
    : state_(state), midi_(midi), display_(display), side_panels_(side_panels) {}

int MousePlay::HitTest(float x, float y) const {
  const int px = static_cast<int>(RoundHalfEven(x));
  const int py = static_cast<int>(RoundHalfEven(y));
  return BarMode() ? HitTestKey128(px, py) : HitTestKey37(px, py);
}

int MousePlay::NoteOf(int key) const {
  if (BarMode()) return key;
  const MidiState& midi = state_.midi;
  return midi.BaseNote + 12 * midi.OctaveShift + key - kHomeCIndex + midi.Transpose;
}

std::vector<int> MousePlay::Intervals() const {
  const auto& chord = state_.chords.CurrentChord;
  if (!ChordOn() || chord.empty()) return {0};
  return chord;
}

void MousePlay::Press(int key, float y) {
  const bool bar = BarMode();
  const int velocity = bar ? state_.midi.KeyVelocity
                           : MouseVelocity(y, state_.display.MouseVel, state_.midi.KeyVelocity);
  const auto intervals = Intervals();
  MouseHeldNotes& held = state_.display.MouseHeld;
  held = MouseHeldNotes{};
  held.bar = bar;
  for (int interval : intervals) {
    const int note = NoteOf(key + interval);
    if (bar && !InMidiRange(note)) continue;
    midi_.SendNoteOnVelocity(note, velocity);
    held.notes.push_back(note);
  }
  for (int interval : intervals) held.keys.push_back(key + interval);
  const bool chord = ChordOn();
  for (int interval : intervals) {
    if (bar) {
      display_.DrawKeyDown128(key + interval, kKeySourceMouse);
    } else {
      display_.DrawKeyDown(key + interval, kKeySourceMouse);
    }
    if (!chord) continue;
    window_->DoEvents();
    // The button came up (or the pointer moved on) meanwhile: that release drew the keys up.
    if (state_.display.MouseKey != key) break;
  }
  display_.Refresh();
}

void MousePlay::Release(bool events_before_drawing) {
  // Copied: letting events run below may start another press.
  const MouseHeldNotes held = std::move(state_.display.MouseHeld);
  state_.display.MouseHeld = MouseHeldNotes{};
  for (int note : held.notes) midi_.SendNoteOff(note);
  // After a display mode change the keyboard was drawn afresh; nothing of it is pressed.
  const bool draw = held.bar == BarMode();
  const bool chord = held.keys.size() > 1;
  for (int key : held.keys) {
    if (chord && events_before_drawing) window_->DoEvents();
    if (draw && held.bar) {
      display_.DrawKeyUp128(key, kKeySourceMouse);
    } else if (draw) {
      display_.DrawKeyUp(key, kKeySourceMouse);
    }
    if (chord && !events_before_drawing) window_->DoEvents();
  }
  display_.Refresh();
}

bool MousePlay::ReleaseStillHolding(int key) {
  // Drawing a chord's keys lets events run: the button may come up (or move on) in there, and
  // that release found nothing left to end. Pressing the next key then would leave it sounding.
  Release(false);
  return state_.display.MouseKey == key;
}

void MousePlay::ShowScore(int key) {
  const int n = (NoteOf(key) - 1) & 127;
  if (state_.midi.PercussionSet) side_panels_.ShowNotePicture(n, 1);
  side_panels_.ShowScoreNote(n);
}

void MousePlay::Keyboard_MouseDown(int button, int /*shift*/, float x, float y) {
  if (button != kMouseLeft) {
    window_->FormMouseDown(button);
    return;
  }
  const int key = HitTest(x, y);
  int& held = state_.display.MouseKey;
  if (key != held) {
    const int old = held;
    held = key;
    if (old != -1 && !ReleaseStillHolding(key)) return;
  }
  if (key == -1) return;
  Press(key, y);
  if (held != key) return;  // released while the chord's keys were drawn
  if (BarMode()) {
    display_.ShowNoteName(key);
    return;
  }
  ShowScore(key);
  side_panels_.Command10_MouseDown();
}

void MousePlay::Keyboard_MouseMove(int buttons, int /*shift*/, float x, float y) {
  state_.display.LastMouseX = x;
  state_.display.LastMouseY = y;
  if ((buttons & kMouseLeft) == 0) return;
  const int key = HitTest(x, y);
  int& held = state_.display.MouseKey;
  if (key == held) return;  // no repeat while the pointer stays on one key
  const int old = held;
  held = key;
  if (old != -1 && !ReleaseStillHolding(key)) return;
  if (key != -1) Press(key, y);
  if (BarMode()) {
    display_.ShowNoteName(key);
  } else if (!ChordOn() && key != -1) {
    ShowScore(key);
  }
}

void MousePlay::Keyboard_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
  // The note that sounds is the held key's: releasing away from it (or off the keyboard, or
  // with a button that played nothing) must neither leave it hanging nor end another note.
  int& held = state_.display.MouseKey;
  if (held == -1) return;
  Release(BarMode());
  held = -1;
  if (!BarMode()) side_panels_.Command10_MouseUp();
}

void MousePlay::Keyboard_DblClick() {
  Keyboard_MouseDown(kMouseLeft, 0, state_.display.LastMouseX, state_.display.LastMouseY);
}

}  // namespace kirivane
