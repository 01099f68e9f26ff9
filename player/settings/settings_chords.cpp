#include "player/settings/settings_chords.h"

namespace kirivane {

std::string ChordSettingValue(const ChordSlotText& slot) {
  if (slot.intervals.empty()) return "";
  return slot.intervals + "(" + slot.name + ")";
}

void ApplyChordSetting(const std::string& value, const ChordSlotText& builtin,
                       ChordSlotText& slot) {
  if (value.empty()) {
    slot = builtin;
    return;
  }
  const std::size_t open = value.find('(');
  if (open == std::string::npos) {
    slot.name.clear();
    return;
  }
  slot.intervals = value.substr(0, open);
  // The closing bracket is taken to be the last character, whatever it is.
  slot.name = value.size() > open + 1 ? value.substr(open + 1, value.size() - open - 2) : "";
}

}  // namespace kirivane
