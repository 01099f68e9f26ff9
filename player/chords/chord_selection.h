#pragma once

#include <string>
#include <vector>

#include "player/midi/midi_hooks.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"

namespace kirivane {

// What the chord panel shows: the name of the chord selected (Lbl_Chord).
class ChordView {
 public:
  virtual ~ChordView() = default;
  virtual void SetChordLabel(const std::string& /*text*/) {}
};

// Chooses the current chord: from the keypad, F7, the chord pad and the chord dialogs.
// Holds references only; the selection lives in PlayerState's ChordState.
class ChordSelection {
 public:
  ChordSelection(PlayerState& state, MidiMode& midi, KeyboardView& keyboard)
      : state_(state), midi_(midi), view_(keyboard) {}

  void SetView(ChordView* view) { label_.Set(view); }

  // Makes the interval list the current chord and shows its name (or the list when the name
  // is empty). Releases every note so none started under the previous chord hangs.
  void SelectChord(const std::string& intervals, const std::string& name);
  // ChordIndex = slot, then SelectChord with the slot's texts.
  void SelectChordSlot(int slot);
  // No chord: label emptied, every note released, keyboard redrawn.
  void ClearChord();
  // F7: the next user slot (1 after 9 and after the octave chord).
  void SelectNextChord();
  // Ctrl+F7: the previous user slot (9 from no chord and from slot 1).
  void SelectPreviousChord();
  // The chord pad: the left button steps forward (clearing after 9), with Ctrl alone
  // backward (9 from no chord, clearing from 1); any other button clears. The pad never
  // releases notes. Redraws the keyboard after every action.
  void ChordPadMouseDown(bool left_button, bool ctrl_alone);
  // The sound reset forgets the chord: no chord, the label emptied; nothing is released.
  void ForgetChord() { ClearWithoutNotesOff(); }

 private:
  void RedrawAfterSelection();
  void ClearWithoutNotesOff();
  void RedrawOrShowHookNotice();

  PlayerState& state_;
  MidiMode& midi_;
  KeyboardView& view_;
  ViewSlot<ChordView> label_;
};

// Offsets a played key sounds with the chord selected now: the chord's offsets while a chord
// is active, else the key alone (offset 0).
std::vector<int> SoundingOffsets(const ChordState& chords);

}  // namespace kirivane
