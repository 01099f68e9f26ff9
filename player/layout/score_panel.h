#pragma once

#include <QWidget>

#include "player/app/player.h"

class QAction;

namespace kirivane {

// The score panel to the right of the full window: a grand staff that shows the note just
// played, with its name underneath; the side panels' view of the score. It owns the menu item
// that opens and closes it.
//   PicScore    the staff with the note and its name
//   mnuScoreOC  the popup menu's check item "score panel"
class ScorePanel : public QWidget, public SidePanelsView {
  Q_OBJECT

 public:
  ScorePanel(Player& player, QWidget* form);
  ~ScorePanel() override;

  QAction* MenuItem() const { return mnuScoreOC; }
  void SetCaptions();
  void Place(int mode);
  int ShownNote() const { return note_; }

  // SidePanelsView
  void ShowScorePanel(bool open) override;
  void ShowScore(const ScoreNoteChoice& choice) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawStaff(QPainter& p) const;
  void DrawNote(QPainter& p) const;

  Player& player_;
  QAction* mnuScoreOC = nullptr;
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
