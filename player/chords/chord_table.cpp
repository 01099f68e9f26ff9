#include "player/chords/chord_table.h"

#include "common/basic/text_rules.h"

namespace kirivane {

namespace {

constexpr std::array<const char*, 11> kBuiltInIntervals{
    "",         "0,4,7",   "0,3,7",   "0,4,8",        "0,4,7,11", "0,3,7,10",
    "0,4,7,10", "0,4,7,9", "0,3,7,9", "-12,0,4,7,12", "0,12"};
constexpr std::array<const char*, 11> kBuiltInNames{
    "",          "Major Triad", "Minor Triad",  "Augment Triad",
    "Major 7th", "Minor 7th",   "Dominant 7th", "Major 6th",
    "Minor 6th", "Power ",      "Octave"};

constexpr int kLargestOffset = 63;

int OffsetOf(std::string_view element) {
  std::string packed;
  for (char c : element) {
    if (c != ' ') packed += c;
  }
  const auto value = LeadingInteger(packed);
  return value >= -kLargestOffset && value <= kLargestOffset ? static_cast<int>(value) : 0;
}

}  // namespace

ChordEntry BuiltInChord(int slot) {
  if (slot < 1 || slot >= kChordSlots) return {};
  return {kBuiltInIntervals[slot], kBuiltInNames[slot]};
}

ChordSlotTable BuiltInChordTable() {
  ChordSlotTable table;
  for (int slot = 1; slot < kChordSlots; ++slot) table[slot] = BuiltInChord(slot);
  return table;
}

std::vector<int> ChordOffsets(std::string_view intervals) {
  if (intervals.empty()) return {};
  const auto elements = SplitKeepEmpty(intervals, ",");
  if (elements.size() < 2) return {};
  std::vector<int> offsets;
  offsets.reserve(elements.size());
  for (const auto& element : elements) offsets.push_back(OffsetOf(element));
  return offsets;
}

}  // namespace kirivane
