#pragma once

#include <QAbstractNativeEventFilter>

#include "common/keymap/vk_table.h"

namespace kirivane {

// The typing keyboard of the X server the application's windows live on.
//
// Held keys: X sends a held key as repeated release + press pairs unless a client asks for
// detectable auto-repeat (an XKB per-client flag), and a release that is not really one ends a
// note in the middle of a hold. So the keyboard asks for it on the application's own connection;
// a held key then arrives as repeated presses only. Where the server cannot do it (no XKB), a
// release reaches the application only when the key is really up.
//
// Layout: keeps `layout` filled with the keysym each keycode types unshifted in the layout and
// group in use, and refreshes it when the server reports a new keyboard, a new mapping or another
// group. Without an X server (Wayland, offscreen) it does nothing and `layout` stays empty, so
// keys are read at their US positions.
class X11Keyboard : public QAbstractNativeEventFilter {
 public:
  enum class AutoRepeat { kAskServer, kConfirmReleases };

  // Needs the application object (QGuiApplication) to exist; watches its events until destroyed.
  explicit X11Keyboard(KeyLayout& layout, AutoRepeat auto_repeat = AutoRepeat::kAskServer);
  ~X11Keyboard() override;
  X11Keyboard(const X11Keyboard&) = delete;
  X11Keyboard& operator=(const X11Keyboard&) = delete;

  // True when the server sends held keys as repeated presses only.
  bool DetectableAutoRepeat() const { return detectable_; }

  bool nativeEventFilter(const QByteArray& event_type, void* message, qintptr* result) override;

 private:
  void ReadLayout();
  bool KeyIsDown(int keycode) const;

  KeyLayout& layout_;
  void* display_ = nullptr;  // the application's X connection, not owned
  bool xkb_ = false;
  bool detectable_ = false;
  int xkb_event_ = -1;  // first event code of the XKB extension
  int group_ = 0;       // the layout group `layout_` was read for
};

}  // namespace kirivane
