#include "player/chords/chord_grid.h"

#include <array>

#include "common/basic/text_rules.h"
#include "player/chords/chord_list.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr std::array<int, kChordColumnHeadings> kColumnEntries{201, 203, 205, 207, 202,
                                                               209, 208, 206, 204};
constexpr std::array<int, kChordRowHeadings> kRowEntries{210, 212, 213, 216, 217, 211, 214,
                                                         215, 212, 210, 217, 216, 213, 211};

// Major block: Major, 7th, maj7, sus4. Minor block: Minor, aug, dim, 6th, m7 shown as
// Minor, m7, 6th, aug, dim.
constexpr std::array<GridCell, kChordColumnHeadings> kColumnCells{
    {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {9, 1}, {9, 4}, {9, 5}, {9, 3}, {9, 2}}};
// Row headings in index order: C E F B B♭ D G A on the major block (rows 1..8 from C to B),
// E C B♭ B F D on the minor block (rows 10..15: C D E F B♭ B).
constexpr std::array<int, kChordRowHeadings> kRowHeadingRows{1, 3,  4,  8,  7,  2,  5,
                                                             6, 12, 10, 14, 15, 13, 11};

// Buttons: the eight major triads and the eight sevenths, the six minor triads and the six
// minor sevenths, then maj7 on C and F, 6th on C and F, aug on C, dim on B, sus4 on C and G.
constexpr std::array<GridCell, kChordListSize> kButtonCells{{
    {1, 1},  {2, 1},  {3, 1},  {4, 1},  {5, 1},  {6, 1},  {7, 1}, {8, 1},  // Major
    {1, 2},  {2, 2},  {3, 2},  {4, 2},  {5, 2},  {6, 2},  {7, 2}, {8, 2},  // 7th
    {10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 1},                  // Minor
    {10, 2}, {11, 2}, {12, 2}, {13, 2}, {14, 2}, {15, 2},                  // m7
    {1, 3},  {4, 3},                                                       // maj7
    {10, 3}, {13, 3},                                                      // 6th
    {10, 4},                                                               // aug
    {15, 5},                                                               // dim
    {1, 4},  {5, 4},                                                       // sus4
}};

constexpr std::array<int, kChordMarkers> kMarkerLefts{
    4,  10, 12,  18,  22,  32,  38,  42,  48,  52,  58,  62,  74,  78, 84,
    88, 94, 104, 108, 114, 118, 124, 128, 134, 144, 148, 152, 158, 162};

constexpr int kSmallFontButtons = 34;  // buttons from here on take entry 17's size itself

template <typename T, std::size_t N>
T At(const std::array<T, N>& table, int i) {
  return i >= 0 && i < static_cast<int>(N) ? table[static_cast<std::size_t>(i)] : T{};
}

bool IsBlackMarker(int marker) {
  switch ((marker % 12 + 12) % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
      return true;
    default:
      return false;
  }
}

}  // namespace

int ColumnHeadingEntry(int i) {
  return At(kColumnEntries, i);
}
int RowHeadingEntry(int i) {
  return At(kRowEntries, i);
}
GridCell ColumnHeadingCell(int i) {
  return At(kColumnCells, i);
}
GridCell RowHeadingCell(int i) {
  return {At(kRowHeadingRows, i), 0};
}
GridCell ChordButtonCell(int k) {
  return At(kButtonCells, k);
}

int ChordButtonFontSize(const AppState& app, int k) {
  const int size = static_cast<int>(LeadingInteger(LangText(app, 17)));
  return k >= kSmallFontButtons ? size : size + 1;
}

MarkerPlace ChordMarkerPlace(int marker) {
  if (marker < 0 || marker >= kChordMarkers) return {};
  const bool black = IsBlackMarker(marker);
  return {kMarkerLefts[static_cast<std::size_t>(marker)], black ? 12 : 32, black};
}

}  // namespace kirivane
