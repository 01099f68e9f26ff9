#pragma once

#include "player/state/app_state.h"

namespace kirivane {

// Where the chord select dialog puts its buttons and headings. The grid has two blocks: major
// chords (rows 1..8: C D E F G A B♭ B; columns Major, 7th, maj7, sus4, headings on row 0) and
// minor chords (rows 10..15: C D E F B♭ B; columns Minor, m7, 6th, aug, dim, headings on
// row 9). Column 0 holds the row headings. Not every cell has a button; the shipped
// chordlist.dat fills the buttons in this order.
struct GridCell {
  int row = 0;
  int column = 0;
  bool operator==(const GridCell&) const = default;
};

inline constexpr int kChordColumnHeadings = 9;  // LblHTitle(0..8)
inline constexpr int kChordRowHeadings = 14;    // LblVTitle(0..13)
inline constexpr int kChordGridRows = 16;
inline constexpr int kChordGridColumns = 6;

// Language entry of heading LblHTitle(i) / LblVTitle(i); 0 outside the range.
int ColumnHeadingEntry(int i);
int RowHeadingEntry(int i);

// Cells of the headings and of button CmdChord(k), k = 0..35.
GridCell ColumnHeadingCell(int i);
GridCell RowHeadingCell(int i);
GridCell ChordButtonCell(int k);

// Point size of button k's caption: entry 17's number plus one, entry 17's number for the two
// last buttons (their captions are the longest).
int ChordButtonFontSize(const AppState& app, int k);

// The small keyboard picture and its 29 markers, one per semitone from an octave below the
// root (marker 0) to a major tenth above it (marker 28; marker 12 is the root).
inline constexpr int kChordKeyboardWidth = 170;
inline constexpr int kChordKeyboardHeight = 40;
inline constexpr int kChordMarkers = 29;
inline constexpr int kRootMarker = 12;
struct MarkerPlace {
  int left = 0;
  int top = 0;
  bool black = false;
};
MarkerPlace ChordMarkerPlace(int marker);

// Language entries of the other texts of the dialog.
inline constexpr int kChordDialogCaptionEntry = 200;
inline constexpr int kChordHelpFrameEntry = 218;    // Frame1
inline constexpr int kChordHelpTextEntry = 219;     // Label1
inline constexpr int kChordShownLabelEntry = 220;   // Label6
inline constexpr int kChordInversionEntry = 221;    // Label4
inline constexpr int kChordHelpToolTipEntry = 317;  // Image2
inline constexpr int kOkEntry = 6;
inline constexpr int kCancelEntry = 7;

}  // namespace kirivane
