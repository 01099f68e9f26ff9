// Display modes of the main window, its shape and place, and dragging it by its client area.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPushButton>
#include <QWindow>

#include "common/basic/text_rules.h"
#include "common/keyboard/keyboard_widget.h"
#include "player/app/form1_window.h"
#include "player/layout/control_layout.h"
#include "player/layout/control_place_qt.h"
#include "player/layout/score_panel.h"
#include "player/widgets/lamp_shape_widget.h"
#include "player/widgets/picture_button_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

void Form1::ApplyDisplayMode() {
  const bool was_in_progress = layout_in_progress_;
  layout_in_progress_ = true;
  const DisplayModePlan plan = PlanDisplayMode(state_, PositionTwips());
  switch (plan.transition) {
    case ModeTransition::kNone:
      break;
    case ModeTransition::kFull:
      LayoutFullWindow(plan);
      display_->RedrawKeyboard();
      break;
    case ModeTransition::kEnterCompact:
    case ModeTransition::kSwitchCompact:
      LayoutCompactWindow(plan);
      if (plan.transition == ModeTransition::kEnterCompact) midi_panel_->ScrollListToSelection();
      display_->RedrawKeyboard();
      break;
  }
  layout_in_progress_ = was_in_progress;
}

void Form1::LayoutFullWindow(const DisplayModePlan& plan) {
  UpdateCaption();
  setWindowFlag(Qt::Tool, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  PlaceControls(0);
  mnuCC->setEnabled(true);
  SetTimer1(state_.midi.Timer1Enabled);
  PlaceWindow(plan);
  if (plan.topmost) SetTopmost(*plan.topmost ? 1 : 0);
  show();
  activateWindow();
  SetWindowRegion(plan.shape);
  if (plan.run_snap) SnapWindow();
}

void Form1::LayoutCompactWindow(const DisplayModePlan& plan) {
  UpdateCaption();
  setWindowFlag(Qt::Tool, true);
  PlaceControls(plan.mode);
  Keyboard_->KeyboardSurface().Clear();
  if (plan.move_strip) {
    mnuCC->setEnabled(false);
    Timer1.stop();
  }
  PlaceWindow(plan);
  if (plan.topmost) SetTopmost(*plan.topmost ? 1 : 0);
  show();
  activateWindow();
  SetWindowRegion(plan.shape);
}

void Form1::PlaceWindow(const DisplayModePlan& plan) {
  const ScreenMetrics& s = state_.layout.Screen;
  setFixedSize(plan.client.Width, plan.client.Height);
  move(plan.position.Left / s.TwipsX, plan.position.Top / s.TwipsY);
}

void Form1::PlaceControls(int mode) {
  auto places = ControlLayout(mode, false);
  PlaceWidget(Keyboard_, places["Keyboard"]);
  PlaceWidget(Shape1, places["Shape1"]);
  Shape1->SetRounded(mode == 0);
  PlaceWidget(Check1, places["Check1"]);
  ShowCheck1(mode);
  PlaceWidget(Label5, places["Label5"]);
  PlaceWidget(Label8, places["Label8"]);
  Label8->setAlignment((mode == 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  PlaceWidget(Label2, places["Label2"]);
  PlaceWidget(Label3, places["Label3"]);
  PlaceWidget(LblNote, places["LblNote"]);
  PlaceWidget(ImgLyrcon, places["ImgLyrcon"]);
  PlaceWidget(Image12, places["Image12"]);
  midi_panel_->Place(mode);
  const bool full = mode == 0;
  ImgChordPad->setVisible(full);
  Lbl_Chord->setVisible(full);
  Label1->setVisible(full);
  LblTitle->setVisible(full);
  Image16->setVisible(full);
  stImage->setVisible(full && state_.midi.PercussionSet);
  const int label_size = full ? static_cast<int>(LeadingInteger(Lang(15))) : 7;
  for (QLabel* label : {Label2, Label3, Label5, Label8}) {
    QFont font = label->font();
    if (label_size > 0) font.setPointSize(label_size);
    label->setFont(font);
  }
  PicScore->setGeometry(472, 0, 210, 565);
  PicScore->setVisible(full && state_.layout.ScoreMode == 1);
  mnuScoreOC->setChecked(state_.layout.ScoreMode == 1);
  mnuScoreOC->setEnabled(full);
  if (full) {
    PlaceWidget(Label1, places["Label1"]);
    PlaceWidget(LblTitle, places["LblTitle"]);
    PlaceWidget(Image16, places["Image16"]);
    PlaceWidget(stImage, places["stImage"]);
    stImage->setVisible(state_.midi.PercussionSet);
    PlaceWidget(ImgChordPad, places["ImgChordPad"]);
    PlaceWidget(Lbl_Chord, places["Lbl_Chord"]);
    PlaceWidget(ImgKao01, places["ImgKao01"]);
    ImgKao01->hide();
    Label12[0]->setGeometry(265, 3, 200, 16);
    Label12[1]->setGeometry(266, 4, 200, 16);
  }
  for (QLabel* label : Label12) label->setVisible(full && state_.app.ShowVersion == -1);
  ImgChordPad->setPixmap(ChordPadPicture(ImgChordPad->size()));
  Image16->setPixmap(DrumPicture(Image16->size()));
  Image7->setGeometry(0, 0, stImage->width() / 2, stImage->height());
  Image8->setGeometry(stImage->width() / 2, 0, stImage->width() / 2, stImage->height());
  Image7->setPixmap(CharacterPicture(0, Image7->size()));
  Image8->setPixmap(CharacterPicture(1, Image8->size()));
  Image12->setPixmap(StripPicture(Image12->size(), state_.app.XmasSpecial == -1));
  ImgLyrcon->setPixmap(NoteIconPicture(ImgLyrcon->size()));
  Shape1->lower();
  Image12->lower();
  Keyboard_->raise();
}

void Form1::SetWindowRegion(WindowShape shape) {
  if (shape == WindowShape::kRounded) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width(), height()), 12.5, 12.5);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
  } else if (shape == WindowShape::kRectangle) {
    clearMask();
  }
}

void Form1::SnapWindow() {
  const PixelSize window{frameGeometry().width(), frameGeometry().height()};
  const WindowPosition snapped = SnapToScreenEdges(state_.layout, PositionTwips(), window);
  const ScreenMetrics& s = state_.layout.Screen;
  move(snapped.Left / s.TwipsX, snapped.Top / s.TwipsY);
}

// --- dragging by the client area and the popup menu -----------------------------------------

void Form1::mousePressEvent(QMouseEvent* event) {
  const int button = event->button() == Qt::LeftButton    ? kMouseLeft
                     : event->button() == Qt::RightButton ? kMouseRight
                                                          : 0;
  Form_MouseDown(button, 0, 0, 0);
}

void Form1::Form_MouseDown(int button, int, float, float) {
  const int mode = state_.layout.DisplayMode;
  if (button == kMouseLeft && (mode == 0 || mode == 1)) {
    StartDrag(QCursor::pos());
  } else if (button == kMouseRight) {
    state_.performance.PlayInterrupt = -1;
    midi_->SendMainVolume(0);
    mnu->exec(QCursor::pos());
    midi_->SendMainVolume(state_.midi.MainVolume);
    state_.performance.PlayInterrupt = 0;
  }
}

void Form1::StartDrag(const QPoint& global) {
  setCursor(Qt::SizeAllCursor);
  state_.performance.PlayInterrupt = -1;
  midi_->SendMainVolume(0);
  drag_pending_ = true;
  if (windowHandle() && windowHandle()->startSystemMove()) {
    drag_settle_.start();  // the window system moves it; settled once moves stop
    return;
  }
  dragging_manually_ = true;  // no window manager to do it: follow the pointer ourselves
  drag_offset_ = global - pos();
  grabMouse();
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_manually_) {
    move(event->globalPosition().toPoint() - drag_offset_);
    return;
  }
  if (state_.input.ControllerKeys == 0) {
    midi_panel_->ShrinkList(state_.layout.DisplayMode);
    const bool was = layout_in_progress_;
    layout_in_progress_ = true;
    midi_panel_->ScrollListToSelection();
    layout_in_progress_ = was;
    ReturnFocus();
    state_.input.ControllerKeys = -1;
  }
  if (state_.app.ButtonHover == -1) {
    midi_panel_->RestoreButtonPictures();
    state_.app.ButtonHover = 0;
  }
}

void Form1::mouseReleaseEvent(QMouseEvent*) {
  if (dragging_manually_) {
    dragging_manually_ = false;
    releaseMouse();
    FinishDrag();
  }
}

void Form1::moveEvent(QMoveEvent*) {
  if (drag_pending_ && !dragging_manually_) drag_settle_.start();
}

void Form1::FinishDrag() {
  if (!drag_pending_) return;
  drag_pending_ = false;
  SnapWindow();
  midi_->SendMainVolume(state_.midi.MainVolume);
  const int mode = state_.layout.DisplayMode;
  if (mode == 0 || mode == 1) {
    const PixelSize client = ClientSize(mode, state_.layout.ScoreMode);
    setFixedSize(client.Width, client.Height);
  }
  state_.performance.PlayInterrupt = 0;
  unsetCursor();
}
}  // namespace kirivane
