#include "player/input/hook_switch.h"

#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kHookOffColour = 16775912;
constexpr int kHookOnColour = 8229375;
constexpr int kHookOffCaption = 184;
constexpr int kHookOnCaption = 185;
constexpr int kHookShortCaption = 183;
constexpr int kHookTitleSuffix = 8;
constexpr int kHookNotice = 284;

}  // namespace

HookSwitchResult Check1_Click(PlayerState& state, KeyHook& hook, InputWindow& window,
                              KeyboardView& view) {
  auto& input = state.input;
  HookSwitchResult result;
  if (input.HookActive == -1) {
    hook.ResetHook();
    window.SetHookButton(LangText(state.app, kHookOffCaption), kHookOffColour);
    state.app.TitleSuffix.clear();
    window.RebuildCaption();
    window.SetKeyPreview(true);
    view.RedrawKeyboard();
    input.HookActive = 0;
    result = HookSwitchResult::kSwitchedOff;
  } else {
    if (!hook.SetHook()) {
      window.FocusMainForm();
      return HookSwitchResult::kUnavailable;
    }
    window.SetKeyPreview(false);
    window.SetHookButton(LangText(state.app, kHookOnCaption), kHookOnColour);
    state.app.TitleSuffix = LangText(state.app, kHookTitleSuffix);
    window.RebuildCaption();
    if (input.DrawWhileHooked == -1) {
      view.RedrawKeyboard();
    } else {
      view.ShowKeyboardMessage(LangText(state.app, kHookNotice).c_str());
    }
    input.HookActive = -1;
    result = HookSwitchResult::kSwitchedOn;
  }
  const int mode = state.layout.DisplayMode;
  if (mode == 1 || mode == 2) {
    window.SetHookButtonCaption(LangText(state.app, kHookShortCaption));
  }
  window.FocusMainForm();
  return result;
}

}  // namespace kirivane
