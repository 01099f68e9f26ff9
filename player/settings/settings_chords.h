#pragma once

#include <string>

namespace kirivane {

// One chord slot as two texts: the interval list ("0,4,7") and the name ("Major Triad").
struct ChordSlotText {
  std::string intervals;
  std::string name;
};

// The value stored for a slot: the interval list, "(", the name, ")"; empty when the slot's
// interval list is empty (so the slot comes back as its built-in chord).
std::string ChordSettingValue(const ChordSlotText& slot);

// Applies a stored value to a slot. An empty value gives the built-in chord. Otherwise the
// text before the first "(" is the interval list and the text after it, without the value's
// last character, the name; a value without "(" keeps the slot's interval list and empties
// its name.
void ApplyChordSetting(const std::string& value, const ChordSlotText& builtin, ChordSlotText& slot);

}  // namespace kirivane
