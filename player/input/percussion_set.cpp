#include "player/input/percussion_set.h"

#include <array>

#include "common/basic/text_rules.h"
#include "player/layout/side_panels.h"
#include "player/midi/device_controls.h"
#include "player/state/colours.h"
#include "player/state/lang_ids.h"
#include "player/state/language_table.h"

namespace kirivane {

namespace {

constexpr int kPercussionChannel = 10;
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
  messages_->ShowInformation(LangText(state_.app, kLangPercussionNotice),
                             LangText(state_.app, kLangPercussionNoticeTitle));
  state_.midi.KeyOutChannel = kPercussionChannel;
  state_.midi.PlayOutChannel = kPercussionChannel;
  state_.app.AppTitle = LangText(state_.app, kLangPercussionTitle);
  window_->RebuildCaption();
  view_->SetPercussionButtonNoDrop(true);
  sounds_.Play(kWaveDrums);
  state_.midi.PercussionSet = true;
  view_->ShowPercussionPicture(true);
  side_panels_.ClearNotePicture();
  midi_.SetDamperLamp(kColourLampUpPercussionBorder, kColourLampUpPercussionFill);
  midi_.ResetSound();
  performance.PlayInterrupt = 0;
  window_->ReturnFocus();
}

void PercussionSet::StartWithPercussionSet() {
  state_.midi.KeyOutChannel = kPercussionChannel;
  state_.midi.PlayOutChannel = kPercussionChannel;
  state_.midi.PercussionSet = true;
  state_.app.AppTitle = LangText(state_.app, kLangPercussionTitle);
  window_->RebuildCaption();
  view_->SetPercussionButtonNoDrop(true);
  midi_.SetDamperLamp(kColourLampUpPercussionBorder, kColourLampUpPercussionFill);
}

KeyMapLoadResult PercussionSet::LeavePercussionSet() {
  const KeyMapLoadResult result = Leave();
  window_->ReturnFocus();
  return result;
}

KeyMapLoadResult PercussionSet::Leave() {
  if (!state_.midi.PercussionSet) return KeyMapLoadResult::kLoaded;
  // A drum still held would get its note-off on the keyboard channel: end them all first.
  midi_.AllNotesOff();
  state_.midi.KeyOutChannel = state_.midi.KeyChannel;
  state_.midi.PlayOutChannel = state_.midi.PlayChannel;
  view_->SetPercussionButtonNoDrop(false);
  state_.app.AppTitle = LangText(state_.app, kLangAppTitle);
  if (EndsWithNoCase(state_.input.KeyMapFile, kRandomKeyMapName)) {
    const KeyMapLoadResult loaded = key_maps_.LoadDefault();
    if (loaded == KeyMapLoadResult::kFatal) return loaded;
    if (state_.input.HookActive == 0) state_.app.TitleSuffix.clear();
    state_.input.DrumStart = 0;
  }
  window_->RebuildCaption();
  midi_.SetDamperLamp(kColourLampUpBorder, kColourLampUpFill);
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
