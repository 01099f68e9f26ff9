#pragma once

#include <string>

namespace kirivane {

// The global keyboard hook: while it runs, keys pressed in other applications reach the main
// window's key handlers as ordinary key events with the same codes.
class KeyHook {
 public:
  virtual ~KeyHook() = default;
  // Starts the hook on behalf of the main window. False when this desktop offers no way to
  // see other applications' keys (then the hook stays off).
  virtual bool SetHook() = 0;
  virtual void ResetHook() = 0;
  // Why the last SetHook failed, in words for the user.
  virtual std::string Error() const = 0;
};

}  // namespace kirivane
