#include "platform/held_keys.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

// Last: Xlib defines macros (None, Bool, Status) that clash with names in other headers.
#include <X11/Xlib.h>

namespace kirivane {
namespace {

// Sets DISPLAY for one test and puts the old value back afterwards.
class DisplayVariable {
 public:
  explicit DisplayVariable(const char* value) {
    if (const char* old = std::getenv("DISPLAY")) old_ = old;
    if (value != nullptr) {
      setenv("DISPLAY", value, 1);
    } else {
      unsetenv("DISPLAY");
    }
  }
  ~DisplayVariable() {
    if (old_) {
      setenv("DISPLAY", old_->c_str(), 1);
    } else {
      unsetenv("DISPLAY");
    }
  }

 private:
  std::optional<std::string> old_;
};

bool Xdotool(const std::string& arguments) {
  return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

// The X server lets go of keys pressed through XTEST when the pressing client disconnects, so
// xdotool holds the key in the background for a while and the reading polls until it is down.
HeldKeys ReadWhileHolding(const std::string& key) {
  Xdotool("keydown " + key + " sleep 2 keyup " + key + " &");
  HeldKeys held;
  for (int attempt = 0; attempt < 100; ++attempt) {
    held = ReadHeldKeys();
    if (held.ctrl || held.shift) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  Xdotool("keyup " + key);
  return held;
}

TEST(HeldKeys, NoDisplayMeansNothingHeld) {
  DisplayVariable unset(nullptr);
  const HeldKeys held = ReadHeldKeys();
  EXPECT_FALSE(held.ctrl);
  EXPECT_FALSE(held.shift);
}

TEST(HeldKeys, UnreachableDisplayMeansNothingHeld) {
  DisplayVariable nowhere(":4711");
  const HeldKeys held = ReadHeldKeys();
  EXPECT_FALSE(held.ctrl);
  EXPECT_FALSE(held.shift);
}

TEST(HeldKeys, ReadsKeysPressedOnTheXServer) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') GTEST_SKIP() << "needs an X display";
  // An X server resets whenever its last client leaves and drops connections meanwhile; this
  // connection stays open so that the short-lived clients below never meet a reset.
  Display* keep_alive = XOpenDisplay(display);
  ASSERT_NE(keep_alive, nullptr);
  if (!Xdotool("keyup Control_L Control_R Shift_L Shift_R")) GTEST_SKIP() << "needs xdotool";

  HeldKeys held = ReadHeldKeys();
  EXPECT_FALSE(held.ctrl);
  EXPECT_FALSE(held.shift);

  held = ReadWhileHolding("Control_R");
  EXPECT_TRUE(held.ctrl);
  EXPECT_FALSE(held.shift);

  held = ReadWhileHolding("Shift_L");
  EXPECT_FALSE(held.ctrl);
  EXPECT_TRUE(held.shift);
  XCloseDisplay(keep_alive);
}

}  // namespace
}  // namespace kirivane
