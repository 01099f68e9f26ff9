#pragma once

namespace kirivane {

// Mouse buttons and shift keys as the keyboard picture reports them.
inline constexpr int kMouseLeft = 1;
inline constexpr int kMouseRight = 2;
inline constexpr int kMouseMiddle = 4;
inline constexpr int kShiftKey = 1;
inline constexpr int kCtrlKey = 2;
inline constexpr int kAltKey = 4;

// Receives the mouse events of the keyboard picture, in pixels of its surface. MouseDown and
// MouseUp carry the button that changed; MouseMove carries the buttons held. The second press
// of a double click arrives only as DblClick.
class KeyboardMouseHandler {
 public:
  virtual ~KeyboardMouseHandler() = default;
  virtual void Keyboard_MouseDown(int button, int shift, float x, float y) = 0;
  virtual void Keyboard_MouseMove(int buttons, int shift, float x, float y) = 0;
  virtual void Keyboard_MouseUp(int button, int shift, float x, float y) = 0;
  virtual void Keyboard_DblClick() = 0;
};

}  // namespace kirivane
