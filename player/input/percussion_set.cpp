#include "player/input/percussion_set.h"

#include <array>

#include "common/basic/text_rules.h"
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

void PercussionSet::Image16_Click() {
  if (state_.midi.PercussionSet) return;
  auto& performance = state_.performance;
  performance.PlayInterrupt = -1;
  window_.ShowInformation(LangText(state_.app, 319), LangText(state_.app, 318));
  state_.midi.KeyOutChannel = kPercussionChannel;
  state_.midi.PlayOutChannel = kPercussionChannel;
  state_.app.AppTitle = LangText(state_.app, 1);
  window_.RebuildCaption();
  window_.SetPercussionButtonNoDrop(true);
  window_.PlaySound(kWaveDrums);
  state_.midi.PercussionSet = true;
  window_.ShowPercussionPicture(true);
  window_.ClearMusicIcon();
  window_.SetDamperLamp(kLampPercussionBorder, kLampPercussionFill);
  midi_.ResetSound();
  performance.PlayInterrupt = 0;
}

KeyMapLoadResult PercussionSet::LeavePercussionSet(RandomSource& random, KeyMapNotices& notices) {
  if (!state_.midi.PercussionSet) return KeyMapLoadResult::kLoaded;
  state_.midi.KeyOutChannel = state_.midi.KeyChannel;
  state_.midi.PlayOutChannel = state_.midi.PlayChannel;
  window_.SetPercussionButtonNoDrop(false);
  state_.app.AppTitle = LangText(state_.app, 0);
  if (EndsWithNoCase(state_.input.KeyMapFile, kRandomKeyMapName)) {
    const KeyMapLoadResult loaded = LoadKeyMap(
        state_, ProgramKeyMapPath(state_.app.ProgramFolder, kDefaultKeyMapName), random, notices);
    if (loaded == KeyMapLoadResult::kFatal) return loaded;
    if (state_.input.HookActive == 0) state_.app.TitleSuffix.clear();
    state_.input.DrumStart = 0;
  }
  window_.RebuildCaption();
  window_.SetDamperLamp(kLampBorder, kLampFill);
  state_.midi.PercussionSet = false;
  window_.ShowPercussionPicture(false);
  actions_.ResendInstrument();
  return KeyMapLoadResult::kLoaded;
}

void PercussionSet::PadMouseDown(int pad) {
  window_.SetPadCursor(kCursorGrab);
  for (int key : PadKeys(pad)) midi_.KeyNoteOn(key);
}

void PercussionSet::PadMouseUp(int pad) {
  window_.SetPadCursor(kCursorOpen);
  for (int key : PadKeys(pad)) midi_.KeyNoteOff(key);
  if (state_.midi.PercussionSet) midi_.ResetSound();
}

}  // namespace kirivane
