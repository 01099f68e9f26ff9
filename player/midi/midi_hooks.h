#pragma once

// The key sources of the on-screen keyboard (kKeySource*) are shared with the editor.
#include "common/keyboard/keyboard_layout.h"

namespace kirivane {

// Event kinds of the performance table.
inline constexpr int kEventNoteOff = 0;
inline constexpr int kEventNoteOn = 1;
inline constexpr int kEventEndMark = 2;
inline constexpr int kEventDamperUp = 3;
inline constexpr int kEventDamperDown = 4;

// What the MIDI layer tells the recorder: every played note and pedal change. The recorder
// ignores it unless a recording runs.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void RecordEvent(int data, int velocity, int kind) = 0;
};

// What the MIDI layer asks of the on-screen keyboard.
class KeyboardView {
 public:
  virtual ~KeyboardView() = default;
  // Index 0..36 of the 37-key view (out-of-range indexes are ignored by the view).
  virtual void DrawKeyDown(int index, int source) = 0;
  virtual void DrawKeyUp(int index, int source) = 0;
  // Whether note 0..127 is drawn pressed in the 128-key view.
  virtual bool IsPressed128(int note) const = 0;
  virtual void RedrawKeyboard() = 0;
  // Replaces the keyboard by a line of text (for example while the hook hides it).
  virtual void ShowKeyboardMessage(const char* utf8_text) = 0;
  // Keys drawn since the last refresh become visible (drawing a key does not refresh).
  virtual void Refresh() = 0;
  // The name of a note sounding, in the note label of the 128-key bar.
  virtual void ShowNoteName(int note) = 0;
};

// The damper lamp (Shape1): the MIDI layer colours it with the pedal. Colours are Windows RGB
// values (red in the low byte).
class LampView {
 public:
  virtual ~LampView() = default;
  virtual void SetDamperLamp(int /*border_rgb*/, int /*fill_rgb*/) {}
};

// The controller panel's part in a sound reset: it re-applies its value after the device was
// reset (pitch bend back to rest, modulation re-sent).
class ControllerHook {
 public:
  virtual ~ControllerHook() = default;
  // Sends value 0..127 of the panel's current controller mode (volume, bend or modulation).
  virtual void ApplyCcValue(int value) = 0;
  // Rest value of a controller mode (0 volume, 1 pitch bend, 2 modulation).
  virtual int CcRest(int mode) const = 0;
};

}  // namespace kirivane
