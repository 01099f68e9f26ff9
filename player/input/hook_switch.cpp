#include "player/input/hook_switch.h"

#include "player/state/colours.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

void HookSwitch::ToggleHook() {
  auto& input = state_.input;
  if (input.HookActive == -1) {
    hook_.ResetHook();
    view_->SetHookButton(LangText(state_.app, kLangHookOffCaption), kColourHookOff);
    state_.app.TitleSuffix.clear();
    window_->RebuildCaption();
    window_->SetKeyPreview(true);
    keyboard_.RedrawKeyboard();
    input.HookActive = 0;
  } else {
    if (!hook_.SetHook()) {
      window_->ReturnFocus();
      messages_->ShowError(hook_.Error(), false);
      return;
    }
    window_->SetKeyPreview(false);
    view_->SetHookButton(LangText(state_.app, kLangHookOnCaption), kColourHookOn);
    state_.app.TitleSuffix = LangText(state_.app, kLangHookTitleSuffix);
    window_->RebuildCaption();
    if (input.DrawWhileHooked == -1) {
      keyboard_.RedrawKeyboard();
    } else {
      keyboard_.ShowKeyboardMessage(LangText(state_.app, kLangDrawingOff).c_str());
    }
    input.HookActive = -1;
  }
  const int mode = state_.layout.DisplayMode;
  if (mode == 1 || mode == 2) {
    view_->SetHookButton(LangText(state_.app, kLangHookShortCaption),
                         input.HookActive == -1 ? kColourHookOn : kColourHookOff);
  }
  window_->ReturnFocus();
}

void HookSwitch::ShowHookButton() {
  const bool on = state_.input.HookActive == -1;
  const bool compact = state_.layout.DisplayMode != 0;
  view_->SetHookButton(LangText(state_.app, compact ? kLangHookShortCaption
                                            : on    ? kLangHookOnCaption
                                                    : kLangHookOffCaption),
                       on ? kColourHookOn : kColourHookOff);
}

}  // namespace kirivane
