#pragma once

#include <functional>
#include <memory>
#include <string>

#include "player/input/key_hook.h"

class QSocketNotifier;

namespace kirivane {

// The system-wide key hook: raw key events of the X server (XInput 2) on the root window, so
// keys pressed while another application has the focus still reach the player. Keys arrive
// as X keycodes, which the player reads through the same translation as the window's own key
// events. Raw events come once per press and once per release: a held key does not repeat.
class Xi2KeyHook : public KeyHook {
 public:
  // keycode: the X keycode; down: pressed or released; num_lock: NumLock is on.
  using KeyHandler = std::function<void(int keycode, bool down, bool num_lock)>;

  Xi2KeyHook();
  explicit Xi2KeyHook(KeyHandler handler);
  ~Xi2KeyHook() override;
  Xi2KeyHook(const Xi2KeyHook&) = delete;
  Xi2KeyHook& operator=(const Xi2KeyHook&) = delete;

  // Starts delivering keys to the handler. False, with the reason in Error(), when the X
  // server or its XInput 2 extension is not there (a pure Wayland desktop).
  bool SetHook() override;
  void ResetHook() override;
  std::string Error() const override { return error_; }
  bool Active() const { return display_ != nullptr; }
  // Where the keys go; set once the receiver exists.
  void SetKeyHandler(KeyHandler handler) { handler_ = std::move(handler); }

 private:
  void ReadEvents();

  void* display_ = nullptr;  // the hook's own X connection
  int xi_opcode_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
  KeyHandler handler_;
  std::string error_;
};

}  // namespace kirivane
