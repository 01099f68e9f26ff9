// Typing keys of the main window: its own key events, those of its controls and those of the
// system-wide hook all reach the key handlers; losing the focus releases the held keys.
#include <QApplication>
#include <QKeyEvent>

#include "player/app/form1_window.h"
#include "player/input/key_forwarding_qt.h"
#include "player/midi/midi_panel.h"

namespace kirivane {

void Form1::keyPressEvent(QKeyEvent* event) {
  if (state_.app.Ending == -1 || !key_preview_) return;
  // A display mode key repeats only as a stray: a held F2 must not switch back after F4.
  const int key = event->key();
  if (event->isAutoRepeat() && (key == Qt::Key_F2 || key == Qt::Key_F3 || key == Qt::Key_F4)) {
    return;
  }
  ForwardKeyPress(player_.keys, *event, state_.input.KeyboardLayout);
  event->accept();
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
  if (state_.app.Ending == -1 || !key_preview_) return;
  ForwardKeyRelease(player_.keys, *event, state_.input.KeyboardLayout);
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
      ForwardKeyReleaseToHeldKey(player_.keys, *key, state_.input.KeyboardLayout);
    }
    return false;
  }
  if (midi_panel_->ListKeepsKey(watched, *key)) return false;
  if (type == QEvent::KeyPress) {
    keyPressEvent(key);
  } else {
    keyReleaseEvent(key);
  }
  return true;
}

void Form1::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (state_.input.HookActive == 0 && !isActiveWindow()) FocusLost();
}

void Form1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() &&
      state_.input.HookActive == 0) {
    FocusLost();
  }
}

// With the hook off no release would ever arrive: held keys and incoming notes end.
void Form1::FocusLost() {
  player_.keys.FocusLost();
  player_.midi_thru.ReleaseAll();
}

// Keys from the hook take the place of the window's own key events while it runs.
void Form1::HookKey(int keycode, bool down, bool num_lock) {
  if (state_.app.Ending == -1) return;
  ForwardHookKey(player_.keys, state_.input.KeyboardLayout, keycode, down, num_lock);
}

}  // namespace kirivane
