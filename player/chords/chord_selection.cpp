#include "player/chords/chord_selection.h"

#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kHookNoticeEntry = 284;

std::string HookNotice(const PlayerState& state) {
  return LangText(state.app, kHookNoticeEntry);
}

bool DrawingOffWhileHooked(const PlayerState& state) {
  return state.input.HookActive == -1 && state.input.DrawWhileHooked == 0;
}

}  // namespace

void ChordSelection::SelectChord(const std::string& intervals, const std::string& name) {
  auto& chords = state_.chords;
  chords.CurrentChord.clear();
  chords.ChordLabel = name.empty() ? intervals : name;
  label_->SetChordLabel(chords.ChordLabel);
  if (intervals.empty()) {
    chords.ChordActive = 0;
    return;
  }
  chords.CurrentChord = ChordOffsets(intervals);
  chords.ChordActive = chords.CurrentChord.size() >= 2 ? -1 : 0;
  midi_.AllNotesOff();
  RedrawAfterSelection();
}

void ChordSelection::SelectChordSlot(int slot) {
  if (slot < 1 || slot >= kChordSlots) return;
  state_.chords.ChordIndex = slot;
  const auto& entry = state_.chords.ChordTable[static_cast<std::size_t>(slot)];
  SelectChord(entry.intervals, entry.name);
}

void ChordSelection::ClearChord() {
  ClearWithoutNotesOff();
  midi_.AllNotesOff();
  view_.RedrawKeyboard();
}

void ChordSelection::SelectNextChord() {
  int slot = state_.chords.ChordIndex + 1;
  if (slot > kUserChordSlots) slot = 1;
  SelectChordSlot(slot);
}

void ChordSelection::SelectPreviousChord() {
  const int index = state_.chords.ChordIndex;
  SelectChordSlot(index < 2 ? kUserChordSlots : index - 1);
}

void ChordSelection::ChordPadMouseDown(bool left_button, bool ctrl_alone) {
  const int index = state_.chords.ChordIndex;
  if (!left_button) {
    ClearWithoutNotesOff();
  } else if (!ctrl_alone) {
    if (index + 1 > kUserChordSlots) {
      ClearWithoutNotesOff();
    } else {
      SelectChordSlot(index + 1);
    }
  } else if (index == 1) {
    ClearWithoutNotesOff();
  } else {
    SelectChordSlot(index == 0 ? kUserChordSlots : index - 1);
  }
  RedrawOrShowHookNotice();
}

void ChordSelection::RedrawAfterSelection() {
  if (DrawingOffWhileHooked(state_) && state_.chords.ChordIndex != 0) {
    view_.ShowKeyboardMessage(HookNotice(state_).c_str());
  } else {
    view_.RedrawKeyboard();
  }
}

void ChordSelection::ClearWithoutNotesOff() {
  auto& chords = state_.chords;
  chords.ChordIndex = 0;
  chords.ChordActive = 0;
  chords.ChordLabel.clear();
  label_->SetChordLabel(chords.ChordLabel);
}

void ChordSelection::RedrawOrShowHookNotice() {
  if (DrawingOffWhileHooked(state_)) {
    view_.ShowKeyboardMessage(HookNotice(state_).c_str());
  } else {
    view_.RedrawKeyboard();
  }
}

std::vector<int> SoundingOffsets(const ChordState& chords) {
  if (chords.ChordActive == -1 && !chords.CurrentChord.empty()) return chords.CurrentChord;
  return {0};
}

}  // namespace kirivane
