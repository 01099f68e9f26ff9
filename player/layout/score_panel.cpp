#include "player/layout/score_panel.h"

#include <QAction>
#include <QPainter>

#include "common/keyboard/keyboard_layout.h"
#include "player/layout/control_place_qt.h"
#include "player/state/language_table.h"
#include "player/widgets/captions_qt.h"

namespace kirivane {

namespace {

constexpr int kTrebleBottom = 240;  // E4
constexpr int kStep = 5;
constexpr int kLeft = 30;
constexpr int kRight = 185;
constexpr int kNoteX = 118;

}  // namespace

StaffPlace StaffPlaceOf(int note) {
  static constexpr int kStepOfPitch[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
  static constexpr bool kSharp[12] = {false, true,  false, true,  false, false,
                                      true,  false, true,  false, true,  false};
  const int pitch = note % 12;
  const int octave = note / 12 - 1;
  const int diatonic = octave * 7 + kStepOfPitch[pitch];
  constexpr int kE4 = 4 * 7 + 2;
  return {kTrebleBottom - (diatonic - kE4) * kStep, kSharp[pitch]};
}

ScorePanel::ScorePanel(Player& player, QWidget* form) : QWidget(form), player_(player) {
  setObjectName("PicScore");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  mnuScoreOC = new QAction(this);
  mnuScoreOC->setObjectName("mnuScoreOC");
  mnuScoreOC->setCheckable(true);
  connect(mnuScoreOC, &QAction::triggered, this, [this] { player_.side_panels.ImgScoreB_Click(); });
  player_.side_panels.SetView(this);
}

ScorePanel::~ScorePanel() {
  player_.side_panels.SetView(nullptr);
}

void ScorePanel::SetCaptions() {
  const AppState& app = player_.state.app;
  SetControlFont(this, 24, LangText(app, 13));
  mnuScoreOC->setText(LangQ(app, 349));
}

void ScorePanel::Place(int mode) {
  const bool open = player_.state.layout.ScoreMode == 1;
  PlaceWidget(this, ControlLayout(mode, false)[Control::PicScore]);
  setVisible(mode == 0 && open);
  mnuScoreOC->setChecked(open);
  mnuScoreOC->setEnabled(mode == 0);
}

void ScorePanel::ShowScorePanel(bool open) {
  if (player_.state.layout.DisplayMode != 0) return;
  setVisible(open);
  mnuScoreOC->setChecked(open);
}

void ScorePanel::ShowScore(const ScoreNoteChoice& choice) {
  if (choice.note == note_) return;
  note_ = choice.note;
  update();
}

void ScorePanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(150, 170, 205), 1));
  p.setBrush(QColor(252, 252, 246));
  p.drawRoundedRect(QRectF(6.5, 8.5, width() - 13, height() - 17), 10, 10);
  DrawStaff(p);
  DrawNote(p);
}

void ScorePanel::DrawStaff(QPainter& p) const {
  p.setPen(QPen(QColor(60, 60, 70), 1));
  for (int line = 0; line < 5; ++line) {
    const int treble = kTrebleBottom - 2 * kStep * line;
    const int bass = kTrebleBottom + 4 * kStep + 2 * kStep * line;
    p.drawLine(kLeft, treble, kRight, treble);
    p.drawLine(kLeft, bass, kRight, bass);
  }
  p.drawLine(kLeft, kTrebleBottom - 8 * kStep, kLeft, kTrebleBottom + 12 * kStep);
  QFont font = p.font();
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRect(kLeft + 4, kTrebleBottom - 8 * kStep, 20, 8 * kStep), Qt::AlignCenter, "G");
  p.drawText(QRect(kLeft + 4, kTrebleBottom + 4 * kStep, 20, 8 * kStep), Qt::AlignCenter, "F");
}

void ScorePanel::DrawNote(QPainter& p) const {
  if (note_ < 0) return;
  const StaffPlace place = StaffPlaceOf(note_);
  p.setPen(QPen(QColor(60, 60, 70), 1));
  // Ledger lines: above the treble staff, below the bass staff, and middle C between them.
  for (int y = kTrebleBottom - 10 * kStep; y >= place.y; y -= 2 * kStep) {
    p.drawLine(kNoteX - 12, y, kNoteX + 12, y);
  }
  for (int y = kTrebleBottom + 14 * kStep; y <= place.y; y += 2 * kStep) {
    p.drawLine(kNoteX - 12, y, kNoteX + 12, y);
  }
  if (place.y == kTrebleBottom + 2 * kStep) {
    p.drawLine(kNoteX - 12, place.y, kNoteX + 12, place.y);
  }
  p.setPen(QPen(QColor(30, 40, 70), 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(kNoteX, place.y), 7, 4.6);
  QFont font = p.font();
  if (place.sharp) {
    font.setPixelSize(15);
    p.setFont(font);
    p.drawText(QRect(kNoteX - 30, place.y - 10, 14, 20), Qt::AlignCenter, "#");
  }
  QFont name_font = this->font();  // the panel's own font: its size and name come with the language
  name_font.setBold(true);
  p.setFont(name_font);
  p.setPen(QColor(44, 74, 128));
  const std::string name = NoteNameText(note_, player_.state.display.C3To60);
  p.drawText(QRect(0, 470, width(), 40), Qt::AlignCenter, QString::fromStdString(name));
}

}  // namespace kirivane
