#include "player/layout/controller_lantern.h"

#include <algorithm>
#include <cstdlib>

#include "common/keyboard/keyboard_mouse.h"
#include "player/layout/side_panels.h"
#include "player/state/colours.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kPercussionStatus = 0x99;
constexpr int kBendStatus = 0xE0;
constexpr int kBendCentre = 8192;
constexpr int kWheelNotch = 120;
constexpr int kReturnMsWithEffects = 100;
constexpr int kReturnMsWithoutEffects = 10;

// Drum notes that mark each change of mode.
constexpr int kSoundToBend = 58;
constexpr int kSoundToModulation = 35;
constexpr int kSoundToOff = 31;
constexpr int kSoundToVolume = 82;

int Clamp127(int value) {
  return std::clamp(value, 0, 127);
}

std::size_t At(int mode) {
  return static_cast<std::size_t>(mode);
}

}  // namespace

int BendWord(int value) {
  return std::clamp(16383 - 129 * Clamp127(value), 0, 16383);
}

bool ControllerLantern::ValueMode() const {
  const int mode = state_.layout.CcMode;
  return mode == kCcVolume || mode == kCcBend || mode == kCcModulation;
}

int ControllerLantern::CcRest(int mode) const {
  return mode >= 0 && mode <= 2 ? state_.layout.CcRest[At(mode)] : 0;
}

void ControllerLantern::ApplyCcValue(int value) {
  const int v = Clamp127(value);
  LayoutState& layout = state_.layout;
  if (!ValueMode() || v == layout.CcSent[At(layout.CcMode)]) return;
  const int mode = layout.CcMode;
  DrawControllerValue(v, mode);
  layout.CcSent[At(mode)] = v;
  if (mode == kCcVolume) {
    state_.midi.MainVolume = v;
    midi_.SendMainVolume(v);
    view_->SetLanternToolTip(mode, std::to_string(v));
  } else if (mode == kCcModulation) {
    state_.midi.Modulation = v;
    midi_.SendModulation();
    view_->SetLanternToolTip(mode, std::to_string(v));
  } else {
    SendBend(v);
    ShowBendLabel(v);
  }
}

void ControllerLantern::SendBend(int value) {
  const int word = BendWord(value);
  const MidiState& midi = state_.midi;
  midi_.SendShort(kBendStatus + midi.KeyOutChannel - 1, word % 128, word / 128);
  if (midi.PlayOutChannel != midi.KeyOutChannel) {
    midi_.SendShort(kBendStatus + midi.PlayOutChannel - 1, word % 128, word / 128);
  }
}

void ControllerLantern::ShowBendLabel(int value) {
  const std::string name = LangText(state_.app, kLangBendLabel);
  const std::string colon = LangText(state_.app, kLangLabelColon);
  if (value == 64) {
    view_->SetBendLabel(name + " " + colon, kButtonTextColour);
    view_->SetLanternToolTip(kCcBend, "0");
    return;
  }
  const std::string amount =
      (value < 64 ? "+" : "") + std::to_string(BendWord(value) - kBendCentre);
  const std::string caption =
      state_.layout.DisplayMode == 0 ? name + "(" + amount + ") " + colon : name + " " + colon;
  view_->SetBendLabel(caption, value >= 65 ? kColourBendUp : kColourBendDown);
  view_->SetLanternToolTip(kCcBend, amount);
}

// --- modes and layout -------------------------------------------------------------------

void ControllerLantern::SwitchCcMode(int to_off) {
  LayoutState& layout = state_.layout;
  switch (layout.CcMode) {
    case kCcVolume:
      layout.CcMode = kCcBend;
      PlayModeSound(kSoundToBend);
      break;
    case kCcBend:
      ApplyCcValue(64);  // leaving pitch bend always centres it first
      layout.PanelReleased = 0;
      view_->StopReturnTimer();
      layout.CcMode = kCcModulation;
      PlayModeSound(kSoundToModulation);
      break;
    case kCcModulation:
      view_->StopReturnTimer();
      layout.CcMode = to_off == -1 ? kCcOff : kCcVolume;
      PlayModeSound(to_off == -1 ? kSoundToOff : kSoundToVolume);
      break;
    default:
      layout.CcMode = kCcVolume;
      PlayModeSound(kSoundToVolume);
      break;
  }
  ShowControllerPanel();
}

void ControllerLantern::PlayModeSound(int note) {
  midi_.SendShort(kPercussionStatus, note, state_.midi.PlayVelocity);
}

void ControllerLantern::ShowControllerPanel() {
  const int mode = state_.layout.CcMode;
  view_->HideLantern();
  DrawControllerValue(0, mode);
  switch (mode) {
    case kCcVolume:
      SetRestValue(mode, 64, state_.midi.MainVolume);
      break;
    case kCcBend:
      SetRestValue(mode, 64, 64);
      break;
    case kCcModulation:
      SetRestValue(mode, 0, state_.midi.Modulation);
      break;
    default:
      view_->HideString();
      break;
  }
}

void ControllerLantern::SetRestValue(int mode, int rest, int value) {
  LayoutState& layout = state_.layout;
  if (layout.DisplayMode == 0) view_->ShowLantern(mode);
  layout.CcRest[At(mode)] = rest;
  layout.CcValue[At(mode)] = Clamp127(value);
  view_->SetLanternToolTip(mode, mode == kCcBend ? "0" : std::to_string(value));
  AnimateControllerValue(Clamp127(value));
}

void ControllerLantern::DrawControllerValue(int value, int mode) {
  if (mode != state_.layout.CcMode) return;
  if (side_panels_ != nullptr) side_panels_->ShowOptionsButton(value < 65);
  if (mode != kCcOff) view_->DrawLanternLength(mode, value);
}

void ControllerLantern::AnimateControllerValue(int value) {
  const int mode = state_.layout.CcMode;
  if (state_.layout.EffectOn == 1 && view_->LanternOnScreen()) {
    for (int step = 0; step <= value; ++step) {
      if (state_.layout.CcMode != mode || state_.layout.DisplayMode != 0) break;
      DrawControllerValue(step, mode);
      window_->DoEvents();
      clock_.SleepMs(1);
    }
  }
  DrawControllerValue(value, mode);
}

// --- mouse, wheel, timer --------------------------------------------------------------------

void ControllerLantern::Lantern_MouseDown(int button, int screen_y) {
  LayoutState& layout = state_.layout;
  if (button == kMouseRight || layout.DragStartY != 0) return;
  layout.DragStartY = screen_y;
  view_->StopReturnTimer();
  layout.PanelReleased = 0;
}

void ControllerLantern::Lantern_MouseMove(int buttons, int screen_y) {
  const LayoutState& layout = state_.layout;
  // A move without a drag of its own (the press was another button) measures from nowhere.
  if ((buttons & kMouseLeft) == 0 || !ValueMode() || layout.DragStartY == 0) return;
  ApplyCcValue(layout.CcValue[At(layout.CcMode)] + (screen_y - layout.DragStartY));
}

void ControllerLantern::Lantern_MouseUp(int button) {
  LayoutState& layout = state_.layout;
  if (button == kMouseRight) {
    if (layout.DisplayMode == 0) SwitchCcMode(0);
    return;
  }
  layout.PanelReleased = -1;
  layout.DragStartY = 0;
  if (!ValueMode()) return;
  const int sent = layout.CcSent[At(layout.CcMode)];
  if (sent >= 0) layout.CcValue[At(layout.CcMode)] = sent;
  if (layout.CcMode == kCcBend) {
    view_->StartReturnTimer(layout.EffectOn == 1 ? kReturnMsWithEffects : kReturnMsWithoutEffects);
  }
}

void ControllerLantern::Lantern_DblClick() {
  LayoutState& layout = state_.layout;
  if (!ValueMode()) return;
  const int rest = layout.CcRest[At(layout.CcMode)];
  ApplyCcValue(rest);
  layout.CcValue[At(layout.CcMode)] = rest;
}

void ControllerLantern::String_MouseDown(int button, int screen_y) {
  if (button != kMouseRight && state_.layout.DragStartY == 0) {
    view_->SetStringCursor(kCursorStringHeld);
    if (side_panels_ != nullptr) side_panels_->Command10_MouseDown();
  }
  Lantern_MouseDown(button, screen_y);
}

void ControllerLantern::String_MouseUp(int button) {
  if (button != kMouseRight) {
    view_->SetStringCursor(kCursorStringFree);
    if (side_panels_ != nullptr) side_panels_->Command10_MouseUp();
  }
  Lantern_MouseUp(button);
}

void ControllerLantern::String_DblClick() {
  if (state_.layout.CcMode != kCcModulation) {
    Lantern_DblClick();
    return;
  }
  ApplyCcValue(127);
  state_.layout.CcValue[At(kCcModulation)] = 127;
}

void ControllerLantern::MouseWheel(int angle_delta) {
  LayoutState& layout = state_.layout;
  if (!ValueMode()) return;
  wheel_rest_ += angle_delta;
  const int steps = wheel_rest_ / kWheelNotch;
  if (steps == 0) return;
  wheel_rest_ -= steps * kWheelNotch;
  int& value = layout.CcValue[At(layout.CcMode)];
  const int moved = Clamp127(value - steps * layout.WheelBand);
  ApplyCcValue(moved);
  value = moved;
}

void ControllerLantern::MiddleButtonDown() {
  LayoutState& layout = state_.layout;
  if (layout.DisplayMode != 1 || layout.CcMode != kCcBend) return;
  ApplyCcValue(64);
  layout.CcValue[At(kCcBend)] = 64;
}

void ControllerLantern::PitchReturnTick() {
  LayoutState& layout = state_.layout;
  if (layout.PanelReleased != -1 || layout.CcMode != kCcBend) {
    view_->StopReturnTimer();
    return;
  }
  const int rest = layout.CcRest[At(kCcBend)];
  const bool at_rest = std::abs(layout.CcSent[At(kCcBend)] - rest) <= 1;
  ApplyCcValue(rest);
  layout.CcValue[At(kCcBend)] = layout.CcSent[At(kCcBend)];
  if (at_rest) {
    layout.PanelReleased = 0;
    view_->StopReturnTimer();
  }
}

}  // namespace kirivane
