#include "platform/held_keys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdlib>

namespace kirivane {

namespace {

bool IsDown(Display* display, const char (&keymap)[32], KeySym symbol) {
  const KeyCode code = XKeysymToKeycode(display, symbol);
  if (code == 0) return false;
  return (keymap[code / 8] & (1 << (code % 8))) != 0;
}

}  // namespace

HeldKeys ReadHeldKeys() {
  HeldKeys held;
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return held;
  Display* display = XOpenDisplay(name);
  if (display == nullptr) return held;
  char keymap[32] = {};
  XQueryKeymap(display, keymap);
  held.ctrl = IsDown(display, keymap, XK_Control_L) || IsDown(display, keymap, XK_Control_R);
  held.shift = IsDown(display, keymap, XK_Shift_L) || IsDown(display, keymap, XK_Shift_R);
  XCloseDisplay(display);
  return held;
}

}  // namespace kirivane
