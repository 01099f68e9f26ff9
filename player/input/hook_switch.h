#pragma once

#include <string>

#include "player/input/key_hook.h"
#include "player/midi/midi_hooks.h"
#include "player/state/messages.h"
#include "player/state/player_state.h"
#include "player/state/view_slot.h"
#include "player/state/window_commands.h"

namespace kirivane {

// What the hook button (Check1) shows: its caption and back colour (Windows RGB, red in the
// low byte).
class HookView {
 public:
  virtual ~HookView() = default;
  virtual void SetHookButton(const std::string& /*caption*/, int /*back_colour*/) {}
};

// The key monitor: the system-wide key hook on or off, with the button's caption and colour,
// the caption suffix, key preview and the keyboard drawing that go with it.
class HookSwitch {
 public:
  HookSwitch(PlayerState& state, KeyHook& hook, KeyboardView& keyboard)
      : state_(state), hook_(hook), keyboard_(keyboard) {}

  void SetView(HookView* view) { view_.Set(view); }
  void SetWindow(WindowCommands* window, Messages* messages) {
    window_.Set(window);
    messages_.Set(messages);
  }

  // Check1_Click: switches the hook. When it cannot start, nothing changes and the error
  // message box says why.
  void ToggleHook();
  // The button as the layout of the display mode shown shows it: the short caption in the
  // compact modes.
  void ShowHookButton();
  // Ends the hook (the window closes).
  void ResetHook() { hook_.ResetHook(); }

 private:
  PlayerState& state_;
  KeyHook& hook_;
  KeyboardView& keyboard_;
  ViewSlot<HookView> view_;
  ViewSlot<WindowCommands> window_;
  ViewSlot<Messages> messages_;
};

}  // namespace kirivane
