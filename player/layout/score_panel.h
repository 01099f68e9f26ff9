#pragma once

#include <QWidget>

#include "player/state/player_state.h"

namespace kirivane {

// The score panel to the right of the full window: a grand staff that shows the note just
// played, with its name underneath.
class ScorePanel : public QWidget {
  Q_OBJECT

 public:
  ScorePanel(const PlayerState& state, QWidget* parent);

  // Shows note n + 1 (callers pass the note minus one); 0 empties the staff.
  void ShowScoreNote(int n);
  int ShownNote() const { return note_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawStaff(QPainter& p) const;
  void DrawNote(QPainter& p) const;

  const PlayerState& state_;
  int note_ = -1;  // -1 = nothing shown
};

// Vertical place of a note on the grand staff: E4 on the lowest treble line at y 240,
// 5 pixels per diatonic step. Sharp notes sit on the step below and carry a sharp sign.
struct StaffPlace {
  int y = 0;
  bool sharp = false;
};
StaffPlace StaffPlaceOf(int note);

}  // namespace kirivane
