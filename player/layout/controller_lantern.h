#pragma once

#include <string>

#include "common/basic/clock.h"
#include "player/midi/midi_hooks.h"
#include "player/midi/midi_mode.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

class SidePanels;

// Controller modes of the lantern.
inline constexpr int kCcVolume = 0;
inline constexpr int kCcBend = 1;
inline constexpr int kCcModulation = 2;
inline constexpr int kCcOff = 99;

// Cursors of the pull string: hanging, and held.
inline constexpr int kCursorStringFree = 101;
inline constexpr int kCursorStringHeld = 102;

// Colour of the bend label meaning "the system's button text colour".
inline constexpr int kButtonTextColour = -1;

// Pitch bend word of a lantern value: 0 bends fully up (16383), 127 fully down (0), and 64
// gives 8127, a little below the centre.
int BendWord(int value);

// What the lantern panel shows. Every method has an empty body, so a panel overrides only what
// it has. Modes are 0 volume, 1 pitch bend, 2 modulation.
class ControllerLanternView {
 public:
  virtual ~ControllerLanternView() = default;
  // Hides the cap, the three bodies and the end (the string stays as it is).
  virtual void HideLantern() {}
  // Shows cap, end, the body of the mode and the pull string (full window only).
  virtual void ShowLantern(int /*mode*/) {}
  virtual void HideString() {}
  // Lantern length: body height value + 1, end top at value + 100.
  virtual void DrawLanternLength(int /*mode*/, int /*value*/) {}
  virtual void SetLanternToolTip(int /*mode*/, const std::string& /*text*/) {}
  // The bend label (Label9): caption and text colour (Windows RGB or kButtonTextColour).
  virtual void SetBendLabel(const std::string& /*caption*/, int /*colour*/) {}
  virtual void SetStringCursor(int /*cursor_resource*/) {}
  // The timer whose ticks return the bend after a release; its ticks call PitchReturnTick.
  virtual void StartReturnTimer(int /*interval_ms*/) {}
  virtual void StopReturnTimer() {}
  // Whether the lantern can be seen now: its growth is animated only then (a start draws the
  // lantern before the window shows, and an animation nobody sees only delays the window).
  virtual bool LanternOnScreen() const { return true; }
};

// The controller panel: a hanging lantern whose length is the value of channel volume, pitch
// bend or modulation. Dragging, the wheel, the arrow keys and double clicks change the value;
// the menu, F10 and the right button switch the controller.
class ControllerLantern : public ControllerHook {
 public:
  ControllerLantern(PlayerState& state, MidiMode& midi, Clock& clock)
      : state_(state), midi_(midi), clock_(clock) {}

  void SetView(ControllerLanternView* view) { view_.Set(view); }
  // The animation lets the window's events run between its steps.
  void SetWindow(WindowCommands* window) { window_.Set(window); }

  // The options button of the side panels hides while the lantern covers it; the string shows
  // the pads pressed while it is held. Optional.
  void SetSidePanels(SidePanels* side_panels) { side_panels_ = side_panels; }

  // ControllerHook: applies value 0..127 (clamped) to the controller of the current mode and
  // shows it; nothing happens in mode 99 or when the value was applied last.
  void ApplyCcValue(int value) override;
  int CcRest(int mode) const override;

  // Next mode: 0 -> 1 -> 2 -> 99 -> 0 when to_off is -1, else 0 -> 1 -> 2 -> 0. Each change
  // plays a drum on channel 10 and lays the panel out again.
  void SwitchCcMode(int to_off);
  void ShowControllerPanel();
  void DrawControllerValue(int value, int mode);
  // Grows the lantern from 0 to the value step by step (with effects), then shows the value.
  void AnimateControllerValue(int value);

  // Mouse on the lantern (end, body and cap share these), screen y in pixels.
  void Lantern_MouseDown(int button, int screen_y);
  void Lantern_MouseMove(int buttons, int screen_y);
  void Lantern_MouseUp(int button);
  void Lantern_DblClick();
  // Mouse on the pull string: as the lantern, with the string's cursor and the pads' pictures;
  // its double click gives full modulation in mode 2.
  void String_MouseDown(int button, int screen_y);
  void String_MouseUp(int button);
  void String_DblClick();
  void mnuCC_Click() { SwitchCcMode(-1); }

  // Wheel: angle in eighths of a degree, positive away from the user. Every 120 turn the value
  // by WheelBand: towards the user longer (higher), away shorter. Smaller steps (touchpads)
  // add up.
  void MouseWheel(int angle_delta);
  // Middle button: centres the pitch bend in the compact keyboard mode.
  void MiddleButtonDown();
  // A tick of the return timer: moves a released pitch bend back to its rest value.
  void PitchReturnTick();

 private:
  bool ValueMode() const;
  void SendBend(int value);
  void ShowBendLabel(int value);
  void PlayModeSound(int note);
  void SetRestValue(int mode, int rest, int value);

  PlayerState& state_;
  MidiMode& midi_;
  Clock& clock_;
  ViewSlot<ControllerLanternView> view_;
  ViewSlot<WindowCommands> window_;
  SidePanels* side_panels_ = nullptr;
  int wheel_rest_ = 0;  // wheel turn not yet a whole step
};

}  // namespace kirivane
