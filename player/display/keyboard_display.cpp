#include "player/display/keyboard_display.h"

#include "common/keyboard/keyboard_layout.h"
#include "player/state/language_table.h"

namespace kirivane {

KeyboardDisplay::KeyboardDisplay(PlayerState& state, Surface& surface)
    : state_(state), paint_(surface) {}

bool KeyboardDisplay::DrawingGatedOff() const {
  return state_.input.DrawWhileHooked == 0 && state_.input.HookActive == -1;
}

KeyboardMode KeyboardDisplay::Mode() const {
  KeyboardMode mode;
  mode.DisplayMode = state_.layout.DisplayMode;
  mode.RequestedDisplayMode = state_.layout.RequestedDisplayMode;
  mode.DrawingAllowed = !DrawingGatedOff();
  mode.AppClosing = state_.app.AppClosing == -1;
  mode.OctaveShift = state_.midi.OctaveShift;
  return mode;
}

void KeyboardDisplay::DrawKeyDown(int index, int source) {
  paint_.DrawKeyDown(index, source, Mode());
}

void KeyboardDisplay::DrawKeyUp(int index, int source) {
  paint_.DrawKeyUp(index, source, Mode());
}

void KeyboardDisplay::DrawKeyDown128(int note, int source) {
  paint_.DrawKeyDown128(note, source, Mode());
}

void KeyboardDisplay::DrawKeyUp128(int note, int source) {
  paint_.DrawKeyUp128(note, source, Mode());
}

void KeyboardDisplay::RedrawKeyboard() {
  paint_.SetLabels(state_.input.KeyLabels);
  paint_.RedrawKeyboard(Mode());
}

void KeyboardDisplay::RedrawOrShowDrawingOff() {
  if (DrawingGatedOff()) {
    ShowKeyboardMessage(0, 0, LangText(state_.app, kLangDrawingOff));
  } else {
    RedrawKeyboard();
  }
}

void KeyboardDisplay::ShowKeyboardMessage(const char* utf8_text) {
  ShowKeyboardMessage(0, 0, utf8_text ? std::string_view(utf8_text) : std::string_view());
}

void KeyboardDisplay::ShowKeyboardMessage(std::int64_t count, std::int64_t total,
                                          std::string_view text) {
  const bool bar = state_.layout.DisplayMode == 2;
  paint_.ShowMessage(state_.layout.DisplayMode, text,
                     ProgressLine(count, total, bar ? kLangWaitBar : kLangWaitLarge));
}

std::string KeyboardDisplay::ProgressLine(std::int64_t count, std::int64_t total,
                                          int waiting_entry) const {
  if (total == 0) return LangText(state_.app, waiting_entry);
  // Integer part of the percentage, rounded toward minus infinity like the whole program.
  std::int64_t percent = count * 100 / total;
  if ((count * 100) % total != 0 && ((count * 100 < 0) != (total < 0))) --percent;
  return LangText(state_.app, kLangProgressBefore) + std::to_string(percent) +
         LangText(state_.app, kLangProgressAfter);
}

void KeyboardDisplay::ShowNoteName(int note) {
  const PerformanceState& performance = state_.performance;
  if (note < 0 || performance.Playing == -1 || performance.Recording == -1) return;
  note_name_->SetNoteName(NoteNameText(note, state_.display.C3To60));
}

}  // namespace kirivane
