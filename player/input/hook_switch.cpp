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

void HookSwitch::ToggleHook() {
  auto& input = state_.input;
  if (input.HookActive == -1) {
    hook_.ResetHook();
    view_->SetHookButton(LangText(state_.app, kHookOffCaption), kHookOffColour);
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
    view_->SetHookButton(LangText(state_.app, kHookOnCaption), kHookOnColour);
    state_.app.TitleSuffix = LangText(state_.app, kHookTitleSuffix);
    window_->RebuildCaption();
    if (input.DrawWhileHooked == -1) {
      keyboard_.RedrawKeyboard();
    } else {
      keyboard_.ShowKeyboardMessage(LangText(state_.app, kHookNotice).c_str());
    }
    input.HookActive = -1;
  }
  const int mode = state_.layout.DisplayMode;
  if (mode == 1 || mode == 2) {
    view_->SetHookButton(LangText(state_.app, kHookShortCaption),
                         input.HookActive == -1 ? kHookOnColour : kHookOffColour);
  }
  window_->ReturnFocus();
}

void HookSwitch::ShowHookButton() {
  const bool on = state_.input.HookActive == -1;
  const bool compact = state_.layout.DisplayMode != 0;
  view_->SetHookButton(LangText(state_.app, compact ? kHookShortCaption
                                            : on    ? kHookOnCaption
                                                    : kHookOffCaption),
                       on ? kHookOnColour : kHookOffColour);
}

}  // namespace kirivane
