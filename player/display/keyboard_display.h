#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/keyboard/kb_paint.h"
#include "player/midi/midi_hooks.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"

namespace kirivane {

// The note-name label of the 128-key bar (LblNote).
class NoteNameView {
 public:
  virtual ~NoteNameView() = default;
  virtual void SetNoteName(const std::string& /*text*/) {}
};

// The player's on-screen keyboard: KBPaint driven by the player's state (display mode, key
// hook, octave, language texts). It is what the MIDI layer, the key handlers, playback and
// mouse play draw through.
class KeyboardDisplay : public KeyboardView {
 public:
  // Language entries of the keyboard messages.
  static constexpr int kLangProgressBefore = 280;
  static constexpr int kLangProgressAfter = 281;
  static constexpr int kLangDrawingOff = 284;
  static constexpr int kLangWaitLarge = 285;
  static constexpr int kLangWaitBar = 286;

  KeyboardDisplay(PlayerState& state, Surface& surface);

  void SetView(NoteNameView* view) { note_name_.Set(view); }

  void DrawKeyDown(int index, int source) override;
  void DrawKeyUp(int index, int source) override;
  bool IsPressed128(int note) const override { return paint_.IsPressed128(note); }
  // Full redraw, with the labels the key map gives the keys now.
  void RedrawKeyboard() override;
  void ShowKeyboardMessage(const char* utf8_text) override;

  void DrawKeyDown128(int note, int source);
  void DrawKeyUp128(int note, int source);
  void Refresh() override { paint_.Refresh(); }
  void ClearSurface() { paint_.Clear(); }

  // Replaces the keyboard by the text and a second line: the progress count / total in
  // percent, or a waiting note when total is 0.
  void ShowKeyboardMessage(std::int64_t count, std::int64_t total, std::string_view text);
  // What callers do after an octave, key map, chord or option change: redraw, or show that
  // drawing is off while the key hook runs with drawing switched off.
  void RedrawOrShowDrawingOff();
  bool DrawingGatedOff() const;

  int MeasureTextWidth(std::string_view text) { return paint_.MeasureTextWidth(text); }
  // Shows the name of the note in the note label, unless playback or recording runs (the
  // label then shows what runs).
  void ShowNoteName(int note) override;

  const KeyboardKeys& Keys() const { return paint_.Keys(); }
  KeyboardMode Mode() const;

 private:
  std::string ProgressLine(std::int64_t count, std::int64_t total, int waiting_entry) const;

  PlayerState& state_;
  KBPaint paint_;
  ViewSlot<NoteNameView> note_name_;
};

}  // namespace kirivane
