#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "player/chords/chord_grid.h"
#include "player/chords/chord_list.h"
#include "player/chords/chord_selection.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"

namespace kirivane {

// Receives the chord chosen for one of the options dialog's chord slots (0..8): its interval
// list and name go into that slot's two text boxes.
class ChordSlotReceiver {
 public:
  virtual ~ChordSlotReceiver() = default;
  virtual void SetChordSlot(int slot, const ChordEntry& chord) = 0;
};

// The chord select dialog without its widgets: the chord list, the chord shown with its
// inversion and markers, the preview through the MIDI output, and what OK hands back. One
// model per opening of the dialog.
class ChordDialogModel {
 public:
  // The button index of "nothing shown".
  static constexpr int kNoButton = -1;
  // The keyboard index the previews are played at: it puts the root on BaseNote.
  static constexpr int kPreviewKey = 5;

  ChordDialogModel(PlayerState& state, MidiMode& midi) : state_(state), midi_(midi) {}
  // Releases a preview still sounding.
  ~ChordDialogModel();
  ChordDialogModel(const ChordDialogModel&) = delete;
  ChordDialogModel& operator=(const ChordDialogModel&) = delete;

  // Opening: from the menu (the chord becomes chord 10) or for options slot 0..8
  // (ChordSelectTarget).
  void OpenFromMenu() { state_.chords.ChordSelectTarget = -1; }
  void OpenForSlot(int slot) { state_.chords.ChordSelectTarget = slot; }

  // Takes a chord list read by LoadChordList (the caller ends the program over a refused one).
  void SetChordList(const ChordList& entries);
  const ChordList& Entries() const { return entries_; }
  // A button the list fills; the others have nothing to show and stay disabled.
  bool ButtonEnabled(int k) const;

  // Shows button b's chord at inversion v, v held to -(n-1)..n-1 for its n notes. Does nothing
  // when b is shown already. Releases every note.
  void ShowChord(int b, int v);

  // Button events: the press shows the chord and sounds it, the release silences it; the
  // inversion bar re-shows the last button pressed at its new value.
  void ChordMouseDown(int k);
  void ChordMouseUp();
  void ChordClick(int k) { ShowChord(k, inversion_); }
  void InversionChange(int v);

  // What the widgets show.
  int SelectedButton() const { return selected_; }
  int LastButton() const { return last_; }
  int Inversion() const { return inversion_; }
  int InversionLimit() const { return inversion_limit_; }  // the bar's range is -limit..limit
  const std::vector<int>& DialogChord() const { return chord_; }
  bool DialogChordActive() const { return chord_.size() >= 2; }
  std::array<bool, kChordMarkers> Markers() const;
  std::string ChordText() const { return text_; }  // Lbl_Chord: "4,7,12"

  // OK's chord: the shown list and its name; nothing when no chord is shown.
  std::optional<ChordEntry> Result() const;
  // OK: silences the preview, then from the menu makes the chord chord 10 and selects it; for
  // an options slot hands it to the options dialog. False when nothing was chosen (the dialog
  // just closes).
  bool Ok(ChordSelection& selection, ChordSlotReceiver* options);
  // Cancel and Esc: silences the preview; nothing changes.
  void Cancel() { PreviewChordOff(); }

 private:
  void PreviewChordOn();
  void PreviewChordOff();

  PlayerState& state_;
  MidiMode& midi_;
  ChordList entries_;
  int selected_ = kNoButton;
  int last_ = 0;
  int inversion_ = 0;
  int inversion_limit_ = 0;
  std::vector<int> chord_;
  std::string text_;
  std::vector<int> sounding_;  // notes of the preview sounding now
};

// The name OK gives a chord list: a fixed name for ten common lists ("0,4,7" is "Major
// Triad"), otherwise the button's caption with "C" made "Ｃ", "b" made "♭" and line breaks
// removed, followed by one "'" per inversion step.
std::string ChordDialogName(const std::string& list, const std::string& caption, int inversion);

// The offsets of an interval list at inversion v: the lowest v elements raised an octave (or
// the highest -v lowered one), each rounded and 0 outside -63..63, sorted ascending.
std::vector<int> InvertedChord(const std::string& intervals, int v);

}  // namespace kirivane
