#pragma once

#include "common/basic/clock.h"

namespace kirivane {

// What core asks of the main window itself: its display mode, caption, focus and end, and the
// pending window events. The window implements it; every method has an empty body, so a
// player without a window (tests, tools) needs nothing.
class WindowCommands {
 public:
  virtual ~WindowCommands() = default;
  // F2, F3, F4: shows RequestedDisplayMode (set before); restores a minimized window first.
  virtual void RestoreIfMinimized() {}
  virtual void ApplyDisplayMode() {}
  // F1 and F12.
  virtual void OpenHelp() {}
  virtual void ShowAbout() {}
  // The caption is AppTitle & ModeTitle & TitleSuffix: rebuilt after one of them changed.
  virtual void RebuildCaption() {}
  // Whether the window sees keys before its controls do (off while the hook delivers them).
  virtual void SetKeyPreview(bool /*on*/) {}
  virtual void ReturnFocus() {}
  // The client area of the mode shown, after the score panel opened or closed.
  virtual void FitClientArea() {}
  // A mouse press the keyboard does not play (kMouseRight: the popup menu).
  virtual void FormMouseDown(int /*button*/) {}
  // Starts the staged close (the exit button, a key map that cannot be loaded).
  virtual void CloseProgram() {}
  // Lets pending window events run.
  virtual void DoEvents() {}
  // A dropped, handed-over or command-line file waits in OpenFile with OpenPending set: the
  // window's WaitTimer opens and plays it once nothing runs.
  virtual void EnableWaitTimer() {}
};

// Waits the milliseconds on the clock while the window's events keep running.
void WaitWithEvents(Clock& clock, WindowCommands& window, int milliseconds);

}  // namespace kirivane
