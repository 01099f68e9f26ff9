// Display modes of the main window, its shape and place, and dragging it by its client area.
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>
#include <QWindow>

#include "common/keyboard/keyboard_mouse.h"
#include "player/app/form1_window.h"
#include "player/chords/chord_panel.h"
#include "player/display/keyboard_panel.h"
#include "player/input/hook_panel.h"
#include "player/input/percussion_panel.h"
#include "player/layout/control_place_qt.h"
#include "player/layout/decoration_panel.h"
#include "player/layout/score_panel.h"
#include "player/midi/midi_panel.h"

namespace kirivane {

void Form1::ApplyDisplayMode() {
  const bool was_in_progress = state_.layout.LayoutInProgress;
  state_.layout.LayoutInProgress = true;
  const DisplayModePlan plan = PlanDisplayMode(state_, PositionTwips());
  if (plan.transition != ModeTransition::kNone) {
    LayoutWindow(plan);
    if (plan.transition == ModeTransition::kEnterCompact) midi_panel_->ScrollListToSelection();
    player_.display.RedrawKeyboard();
  }
  state_.layout.LayoutInProgress = was_in_progress;
}

void Form1::LayoutWindow(const DisplayModePlan& plan) {
  const bool full = plan.transition == ModeTransition::kFull;
  RebuildCaption();
  setWindowFlag(Qt::Tool, !full);
  if (full) setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  PlaceControls(plan.mode);
  if (full) {
    mnuCC->setEnabled(true);
  } else {
    player_.display.ClearSurface();
    if (plan.move_strip) mnuCC->setEnabled(false);
  }
  PlaceWindow(plan);
  if (plan.topmost) SetTopmost(*plan.topmost ? 1 : 0);
  show();
  activateWindow();
  SetWindowRegion(plan.shape);
  if (full && plan.run_snap) SnapWindow();
}

void Form1::PlaceWindow(const DisplayModePlan& plan) {
  const ScreenMetrics& s = state_.layout.Screen;
  setFixedSize(plan.client.Width, plan.client.Height);
  move(plan.position.Left / s.TwipsX, plan.position.Top / s.TwipsY);
}

// Each panel places its controls; the lamp lies under the keyboard and the strip's background
// under everything.
void Form1::PlaceControls(int mode) {
  hook_panel_->Place(mode);
  keyboard_panel_->Place(mode);
  midi_panel_->Place(mode);
  chord_panel_->Place(mode);
  percussion_panel_->Place(mode);
  score_panel_->Place(mode);
  decoration_panel_->Place(mode);
  PlaceWidget(ImgKao01, ControlLayout(mode, false)[Control::ImgKao01]);
  ImgKao01->hide();
}

void Form1::FitClientArea() {
  if (state_.layout.DisplayMode != 0) return;
  const PixelSize client = ClientSize(0, state_.layout.ScoreMode);
  setFixedSize(client.Width, client.Height);
  if (state_.layout.RoundedWindow == 1) SetWindowRegion(WindowShape::kRounded);
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
  FormMouseDown(button);
}

void Form1::FormMouseDown(int button) {
  const int mode = state_.layout.DisplayMode;
  if (button == kMouseLeft && (mode == 0 || mode == 1)) {
    StartDrag(QCursor::pos());
  } else if (button == kMouseRight) {
    state_.performance.PlayInterrupt = -1;
    player_.midi.SendMainVolume(0);
    mnu->exec(QCursor::pos());
    player_.midi.SendMainVolume(state_.midi.MainVolume);
    state_.performance.PlayInterrupt = 0;
  }
}

void Form1::StartDrag(const QPoint& global) {
  setCursor(Qt::SizeAllCursor);
  state_.performance.PlayInterrupt = -1;
  player_.midi.SendMainVolume(0);
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
  if (midi_panel_->FormMouseMove()) ReturnFocus();
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
  player_.midi.SendMainVolume(state_.midi.MainVolume);
  const int mode = state_.layout.DisplayMode;
  if (mode == 0 || mode == 1) {
    const PixelSize client = ClientSize(mode, state_.layout.ScoreMode);
    setFixedSize(client.Width, client.Height);
  }
  state_.performance.PlayInterrupt = 0;
  unsetCursor();
}

}  // namespace kirivane
