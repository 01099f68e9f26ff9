#pragma once

#include <string>

#include "player/chords/chord_table.h"
#include "player/settings/ini_file.h"
#include "player/state/player_state.h"

namespace kirivane {

// The value stored for a slot: the interval list, "(", the name, ")"; empty when the slot's
// interval list is empty (so the slot comes back as its built-in chord).
std::string ChordSettingValue(const ChordEntry& slot);

// Applies a stored value to a slot. An empty value gives the built-in chord. Otherwise the
// text before the first "(" is the interval list and the text after it, without the value's
// last character, the name; a value without "(" leaves the slot empty (no interval list, no
// name).
void ApplyChordSetting(const std::string& value, const ChordEntry& builtin, ChordEntry& slot);

// Chord slots 1..9 from the "Chord" section (keys 1Num .. 9Num); slot 10 becomes the octave
// chord every time.
void LoadChordSlots(ChordSlotTable& table, const IniFile& file);
// Writes slots 1..9 into the "Chord" section.
void SaveChordSlots(const ChordSlotTable& table, IniFile& file);

}  // namespace kirivane
