// Typing keys of the main window, the key monitor button and the percussion set.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "common/basic/text_rules.h"
#include "common/keymap/vk_from_qt_qt.h"
#include "player/app/form1_pictures.h"
#include "player/app/form1_window.h"
#include "player/app/lamp_shape_widget.h"
#include "player/app/picture_button_widget.h"

namespace kirivane {

void Form1::keyPressEvent(QKeyEvent* event) {
  if (state_.app.Ending == -1 || state_.input.HookActive == -1) return;
  const VirtualKey key = VkFromQt(*event);
  KeyFlags flags;
  flags.auto_repeat = event->isAutoRepeat();
  flags.right_shift = key.right_shift;
  // A display mode key repeats only as a stray: a held F2 must not switch back after F4.
  if (flags.auto_repeat && key.code >= 113 && key.code <= 115) return;
  keys_->Form_KeyDown(key.code, ShiftMaskFromQt(event->modifiers()), flags);
  event->accept();
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
  if (state_.app.Ending == -1 || state_.input.HookActive == -1) return;
  const VirtualKey key = VkFromQt(*event);
  KeyFlags flags;
  flags.auto_repeat = event->isAutoRepeat();
  flags.right_shift = key.right_shift;
  keys_->Form_KeyUp(key.code, ShiftMaskFromQt(event->modifiers()), flags);
  event->accept();
}

// Keys reach the form before its controls (except the instrument list while it has taken
// the arrow keys): the controls never edit anything with typing keys.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const bool list_keys = watched == midi_panel_->List1 && state_.input.ControllerKeys == 0 &&
                         (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down);
  if (list_keys) return false;
  if (type == QEvent::KeyPress) {
    keyPressEvent(key);
  } else {
    keyReleaseEvent(key);
  }
  return true;
}

void Form1::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (state_.input.HookActive == 0 && !isActiveWindow()) keys_->FocusLost();
}

void Form1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() &&
      state_.input.HookActive == 0 && keys_) {
    keys_->FocusLost();
  }
}

// The key monitor button: the system-wide key hook on or off.
void Form1::Check1_Click() {
  InputState& input = state_.input;
  if (input.HookActive == -1) {
    hook_.ResetHook();
    state_.app.TitleSuffix.clear();
    input.HookActive = 0;
    UpdateCaption();
    RedrawKeyboard();
  } else {
    const bool started = hook_.SetHook(
        [this](int code, bool down, bool right_shift) { HookKey(code, down, right_shift); });
    if (!started) {
      ShowCheck1(state_.layout.DisplayMode);
      ShowError(hook_.Error(), false);
      ReturnFocus();
      return;
    }
    state_.app.TitleSuffix = Lang(8);
    input.HookActive = -1;
    UpdateCaption();
    if (input.DrawWhileHooked == -1) {
      display_->RedrawKeyboard();
    } else {
      ShowKeyboardMessage(Lang(284));
    }
  }
  ShowCheck1(state_.layout.DisplayMode);
  ReturnFocus();
}

void Form1::ShowCheck1(int mode) {
  const bool on = state_.input.HookActive == -1;
  Check1->setChecked(on);
  Check1->setText(QString::fromStdString(Lang(mode != 0 ? 183 : on ? 185 : 184)));
  Check1->setStyleSheet(
      QString("QPushButton { background: %1; }").arg(ColorOfRgb(on ? 8229375 : 16775912).name()));
}

// Keys from the hook take the place of the window's own key events while it runs.
void Form1::HookKey(int code, bool down, bool right_shift) {
  if (state_.app.Ending == -1) return;
  KeyFlags flags;
  flags.right_shift = right_shift;
  const int shift = ShiftMaskFromQt(QGuiApplication::queryKeyboardModifiers());
  if (down) {
    keys_->Form_KeyDown(code, shift, flags);
  } else {
    keys_->Form_KeyUp(code, shift, flags);
  }
}

void Form1::Image16_Click() {
  if (state_.midi.PercussionSet) return;
  state_.performance.PlayInterrupt = -1;
  QMessageBox::information(this, QString::fromStdString(Lang(318)),
                           QString::fromStdString(Lang(319)));
  state_.midi.KeyOutChannel = 10;
  state_.midi.PlayOutChannel = 10;
  state_.midi.PercussionSet = true;
  state_.app.AppTitle = Lang(1);
  UpdateCaption();
  Image16->setCursor(Qt::ForbiddenCursor);
  stImage->show();
  stImage->raise();
  state_.midi.DamperLampBorder = 3718655;
  state_.midi.DamperLampFill = 10155263;
  SetDamperLamp(3718655, 10155263);
  midi_->ResetSound();
  state_.performance.PlayInterrupt = 0;
  ReturnFocus();
}

void Form1::PercussionOff() {
  if (!state_.midi.PercussionSet) return;
  state_.midi.KeyOutChannel = state_.midi.KeyChannel;
  state_.midi.PlayOutChannel = state_.midi.PlayChannel;
  state_.midi.PercussionSet = false;
  Image16->unsetCursor();
  state_.app.AppTitle = Lang(0);
  if (EndsWithNoCase(state_.input.KeyMapFile, "rand.keys")) {
    LoadKeyMapFile(ProgramKeyMapPath(state_.app.ProgramFolder, kDefaultKeyMapName));
    if (state_.input.HookActive == 0) state_.app.TitleSuffix.clear();
    state_.input.DrumStart = 0;
  }
  UpdateCaption();
  state_.midi.DamperLampBorder = 16750926;
  state_.midi.DamperLampFill = 16768401;
  SetDamperLamp(16750926, 16768401);
  stImage->hide();
  midi_panel_->ResendInstrument();
}

// The two drum pads of the percussion set: they sound while held; a click ends the set.
void Form1::PercussionDrum(int first, int second, bool down) {
  if (down) {
    QApplication::setOverrideCursor(Qt::ClosedHandCursor);
    midi_->KeyNoteOn(first);
    midi_->KeyNoteOn(second);
    return;
  }
  QApplication::restoreOverrideCursor();
  midi_->KeyNoteOff(first);
  midi_->KeyNoteOff(second);
  if (state_.midi.PercussionSet) midi_->ResetSound();
  PercussionOff();
  ReturnFocus();
}

}  // namespace kirivane
