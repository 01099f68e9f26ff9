#include "player/settings/settings_chords.h"

namespace kirivane {

std::string ChordSettingValue(const ChordEntry& slot) {
  if (slot.intervals.empty()) return "";
  return slot.intervals + "(" + slot.name + ")";
}

void ApplyChordSetting(const std::string& value, const ChordEntry& builtin, ChordEntry& slot) {
  if (value.empty()) {
    slot = builtin;
    return;
  }
  const std::size_t open = value.find('(');
  if (open == std::string::npos) {
    // Not a chord value: the slot is left empty, saved empty, and so comes back as the
    // built-in chord at the next start.
    slot = ChordEntry{};
    return;
  }
  slot.intervals = value.substr(0, open);
  // The closing bracket is taken to be the last character, whatever it is.
  slot.name = value.size() > open + 1 ? value.substr(open + 1, value.size() - open - 2) : "";
}

void LoadChordSlots(ChordSlotTable& table, const IniFile& file) {
  for (int n = 1; n <= kUserChordSlots; ++n) {
    const std::string value = file.ReadString("Chord", std::to_string(n) + "Num").value_or("");
    ApplyChordSetting(value, BuiltInChord(n), table[static_cast<std::size_t>(n)]);
  }
  table[kOctaveChordSlot] = {"0,12", "Octave"};
}

void SaveChordSlots(const ChordSlotTable& table, IniFile& file) {
  for (int n = 1; n <= kUserChordSlots; ++n) {
    file.WriteString("Chord", std::to_string(n) + "Num",
                     ChordSettingValue(table[static_cast<std::size_t>(n)]));
  }
}

}  // namespace kirivane
