// Typing keys of the main window, the key monitor button and the percussion set.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "common/basic/text_rules.h"
#include "common/keymap/vk_from_qt_qt.h"
#include "common/keymap/vk_table.h"
#include "player/app/form1_window.h"
#include "player/input/hook_switch.h"
#include "player/input/key_forwarding_qt.h"
#include "player/widgets/lamp_shape_widget.h"
#include "player/widgets/picture_button_widget.h"
#include "player/widgets/window_art_qt.h"

namespace kirivane {

void Form1::keyPressEvent(QKeyEvent* event) {
  if (state_.app.Ending == -1 || !key_preview_) return;
  // A display mode key repeats only as a stray: a held F2 must not switch back after F4.
  const int key = event->key();
  if (event->isAutoRepeat() && (key == Qt::Key_F2 || key == Qt::Key_F3 || key == Qt::Key_F4)) {
    return;
  }
  ForwardKeyPress(*keys_, *event, state_.input.KeyboardLayout);
  event->accept();
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
  if (state_.app.Ending == -1 || !key_preview_) return;
  ForwardKeyRelease(*keys_, *event, state_.input.KeyboardLayout);
  event->accept();
}

// Keys reach the form before its controls (except the instrument list while it has taken
// the arrow keys): the controls never edit anything with typing keys. An open popup menu keeps
// its keys (arrows, Return, Esc, its letters); only releases of keys held before it opened end
// their notes.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (QApplication::activePopupWidget() != nullptr) {
    if (type == QEvent::KeyRelease && state_.app.Ending != -1 && key_preview_) {
      ForwardKeyReleaseToHeldKey(*keys_, *key, state_.input.KeyboardLayout);
    }
    return false;
  }
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
  if (kirivane::Check1_Click(state_, hook_, *this, *display_) == HookSwitchResult::kUnavailable) {
    ShowError(hook_.Error(), false);
  }
}

// The hook button as the layout of a display mode shows it.
void Form1::ShowCheck1(int mode) {
  const bool on = state_.input.HookActive == -1;
  SetHookButton(Lang(mode != 0 ? 183 : on ? 185 : 184), on ? 8229375 : 16775912);
}

// Keys from the hook take the place of the window's own key events while it runs. While a
// popup menu of the player is open, its keys are the menu's, as in the window.
void Form1::HookKey(int keycode, bool down, bool num_lock) {
  if (state_.app.Ending == -1 || keycode < 0 || keycode > 255) return;
  const VirtualKey key =
      VkOfKey(keycode, state_.input.KeyboardLayout[static_cast<std::size_t>(keycode)], num_lock);
  if (key.code == 0) return;
  KeyFlags flags;
  flags.right_shift = key.right_shift;
  if (QApplication::activePopupWidget() != nullptr && (down || !keys_->Holds(key.code, flags))) {
    return;
  }
  const int shift = ShiftMaskFromQt(QGuiApplication::queryKeyboardModifiers());
  if (down) {
    keys_->Form_KeyDown(key.code, shift, flags);
  } else {
    keys_->Form_KeyUp(key.code, shift, flags);
  }
}

// A pad plays its drums while held; its click then leaves the percussion set.
void Form1::Pad_MouseUp(int pad) {
  percussion_->PadMouseUp(pad);
  if (percussion_->LeavePercussionSet(random_, *this) == KeyMapLoadResult::kFatal) close();
  ReturnFocus();
}

}  // namespace kirivane
