#include "player/input/percussion_set.h"

#include <array>

#include "common/basic/text_rules.h"
#include "player/layout/side_panels.h"
#include "player/midi/device_controls.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kPercussionChannel = 10;
constexpr int kLampPercussionBorder = 3718655;
constexpr int kLampPercussionFill = 10155263;
constexpr int kLampBorder = 16750926;
constexpr int kLampFill = 16768401;
constexpr int kWaveDrums = 101;
constexpr int kCursorGrab = 102;
constexpr int kCursorOpen = 101;

// Key values of the two drums each pad plays.
std::array<int, 2> PadKeys(int pad) {
  return pad == 7 ? std::array<int, 2>{40, 42} : std::array<int, 2>{27, 28};
}

}  // namespace

void PercussionSet::EnterPercussionSet() {
  if (state_.midi.PercussionSet) {
    window_->ReturnFocus();
    return;
  }
  auto& performance = state_.performance;
  performance.PlayInterrupt = -1;
  messages_->ShowInformation(LangText(state_.app, 319), LangText(state_.app, 318));
  state_.midi.KeyOutChannel = kPercussionChannel;
  state_.midi.PlayOutChannel = kPercussionChannel;
  state_.app.AppTitle = LangText(state_.app, 1);
  window_->RebuildCaption();
  view_->SetPercussionButtonNoDrop(true);
  sounds_.Play(kWaveDrums);
  state_.midi.PercussionSet = true;
  view_->ShowPercussionPicture(true);
  side_panels_.ClearNotePicture();
  midi_.SetDamperLamp(kLampPercussionBorder, kLampPercussionFill);
  midi_.ResetSound();
  performance.PlayInterrupt = 0;
  window_->ReturnFocus();
}

void PercussionSet::StartWithPercussionSet() {
  state_.midi.KeyOutChannel = kPercussionChannel;
  state_.midi.PlayOutChannel = kPercussionChannel;
  state_.midi.PercussionSet = true;
  state_.app.AppTitle = LangText(state_.app, 1);
  window_->RebuildCaption();
  view_->SetPercussionButtonNoDrop(true);
  midi_.SetDamperLamp(kLampPercussionBorder, kLampPercussionFill);
}

KeyMapLoadResult PercussionSet::LeavePercussionSet() {
  const KeyMapLoadResult result = Leave();
  window_->ReturnFocus();
  return result;
}

KeyMapLoadResult PercussionSet::Leave() {
  if (!state_.midi.PercussionSet) return KeyMapLoadResult::kLoaded;
  state_.midi.KeyOutChannel = state_.midi.KeyChannel;
  state_.midi.PlayOutChannel = state_.midi.PlayChannel;
  view_->SetPercussionButtonNoDrop(false);
  state_.app.AppTitle = LangText(state_.app, 0);
  if (EndsWithNoCase(state_.input.KeyMapFile, kRandomKeyMapName)) {
    const KeyMapLoadResult loaded = key_maps_.LoadDefault();
    if (loaded == KeyMapLoadResult::kFatal) return loaded;
    if (state_.input.HookActive == 0) state_.app.TitleSuffix.clear();
    state_.input.DrumStart = 0;
  }
  window_->RebuildCaption();
  midi_.SetDamperLamp(kLampBorder, kLampFill);
  state_.midi.PercussionSet = false;
  view_->ShowPercussionPicture(false);
  devices_.ResendInstrument();
  return KeyMapLoadResult::kLoaded;
}

void PercussionSet::PadMouseDown(int pad) {
  view_->SetPadCursor(kCursorGrab);
  for (int key : PadKeys(pad)) midi_.KeyNoteOn(key);
}

void PercussionSet::PadMouseUp(int pad) {
  view_->SetPadCursor(kCursorOpen);
  for (int key : PadKeys(pad)) midi_.KeyNoteOff(key);
  if (state_.midi.PercussionSet) midi_.ResetSound();
}

}  // namespace kirivane
