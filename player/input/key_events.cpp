#include "player/input/key_events.h"

#include <algorithm>

#include "common/keymap/vk_codes.h"
#include "player/input/key_map_loader.h"

namespace kirivane {

namespace {

constexpr int kFirstKeyNumber = 7;
constexpr int kLastKeyNumber = 43;
constexpr int kCcOff = 99;
constexpr int kRecordPictureContinue = 122;
constexpr int kRecordPictureNormal = 120;
constexpr int kOctaveMin = -3;
constexpr int kOctaveMax = 3;
constexpr int kTransposeMin = -11;
constexpr int kTransposeMax = 11;
constexpr int kLastProgram = 127;

int Mod128(int value) {
  return ((value % 128) + 128) % 128;
}

bool EscConditions(const PlayerState& state, KeyEventActions& actions) {
  return state.performance.Playing == 0 && state.performance.Recording == 0 &&
         state.layout.DisplayMode == 0 && actions.PerformanceInMemory();
}

}  // namespace

int KeyEvents::KeyNumberOf(int key_code, KeyFlags flags) const {
  if (key_code == vk::kShift && flags.right_shift) return 0;
  const int k = KeyIndexOf(state_.input, key_code);
  return k >= 1 && k < static_cast<int>(state_.input.KeyDownState.size()) ? k : 0;
}

int KeyEvents::Form_KeyDown(int key_code, int shift, KeyFlags flags) {
  if (key_code == vk::kShift && flags.right_shift) key_code = 0;
  const int k = KeyNumberOf(key_code, flags);
  if (k != 0) {
    auto& down = state_.input.KeyDownState[static_cast<std::size_t>(k)];
    if (down != k) PlayKey(k);
    if (state_.midi.PercussionSet) {
      const auto& midi = state_.midi;
      actions_.ShowNotePicture(
          Mod128(midi.BaseNote + 12 * midi.OctaveShift + k + midi.Transpose - 13));
    }
    down = static_cast<std::int16_t>(k);
  }
  if (key_code == vk::kSpace && state_.input.DamperDown == 0) {
    state_.input.DamperDown = -1;
    midi_.DamperOn();
    key_code = 0;
  }
  if (state_.input.HookActive == 0 && HandleWindowKey(key_code, shift)) return key_code;
  HandleCommonKey(key_code, shift);
  return key_code;
}

int KeyEvents::Form_KeyUp(int key_code, int /*shift*/, KeyFlags flags) {
  // A repeated release is followed at once by a repeated press: the key is still held.
  if (flags.auto_repeat) return key_code;
  if (key_code == vk::kShift && flags.right_shift) return 0;
  const int k = KeyNumberOf(key_code, flags);
  if (k != 0) ReleaseKey(k);
  if (key_code == vk::kSpace) {
    ReleaseDamper();
    key_code = 0;
  }
  if (key_code == vk::kEscape) ReleaseEsc();
  return key_code;
}

bool KeyEvents::Holds(int key_code, KeyFlags flags) const {
  const auto& input = state_.input;
  const int k = KeyNumberOf(key_code, flags);
  return (k != 0 && input.KeyDownState[static_cast<std::size_t>(k)] == k) ||
         (key_code == vk::kSpace && input.DamperDown == -1) ||
         (key_code == vk::kEscape && input.EscHeld == -1);
}

void KeyEvents::PlayKey(int k) {
  auto& held = state_.input.HeldKeys[static_cast<std::size_t>(k)];
  held.offsets = SoundingOffsets(state_.chords);
  held.notes.clear();
  for (int f : held.offsets) {
    held.notes.push_back(Mod128(midi_.NoteOfKey(k + f + 12)));
    midi_.KeyNoteOn(k + f + 12);
  }
  for (int f : held.offsets) view_.DrawKeyDown(k + f - kFirstKeyNumber, kKeySourceKeys);
  actions_.RefreshKeyboard();
  const auto& midi = state_.midi;
  if (state_.layout.DisplayMode == 2) {
    actions_.ShowNoteName(midi.BaseNote + 12 * midi.OctaveShift + k - 12 + midi.Transpose);
  }
  actions_.PanelPicturesDown();
  actions_.ShowScoreNote(Mod128(k + 13));
}

void KeyEvents::ReleaseKey(int k) {
  auto& held = state_.input.HeldKeys[static_cast<std::size_t>(k)];
  if (!held.notes.empty()) {
    // The notes of the press end, whatever octave, transposition or chord holds now.
    for (int note : held.notes) midi_.SendNoteOff(note);
    for (int f : held.offsets) view_.DrawKeyUp(k + f - kFirstKeyNumber, kKeySourceKeys);
    held = HeldKeyNotes();
  } else {
    // A release without a press (held since before the window had the keys): harmless
    // note-offs for what the key would sound now.
    const auto offsets = SoundingOffsets(state_.chords);
    for (int f : offsets) midi_.KeyNoteOff(k + f + 12);
    for (int f : offsets) view_.DrawKeyUp(k + f - kFirstKeyNumber, kKeySourceKeys);
  }
  actions_.RefreshKeyboard();
  actions_.PanelPicturesUp();
  state_.input.KeyDownState[static_cast<std::size_t>(k)] = -1;
}

void KeyEvents::ReleaseAllHeldKeys() {
  for (int k = kFirstKeyNumber; k <= kLastKeyNumber; ++k) {
    if (state_.input.KeyDownState[static_cast<std::size_t>(k)] == k) ReleaseKey(k);
  }
  if (state_.input.DamperDown == -1) ReleaseDamper();
  ReleaseEsc();
}

void KeyEvents::ReleaseDamper() {
  state_.input.DamperDown = 0;
  midi_.DamperOff();
}

void KeyEvents::ReleaseEsc() {
  if (state_.input.EscHeld == -1 && EscConditions(state_, actions_)) {
    actions_.ShowRecordPicture(kRecordPictureNormal);
    state_.input.EscHeld = 0;
  }
}

void KeyEvents::FocusLost() {
  if (state_.input.HookActive == 0) ReleaseAllHeldKeys();
}

bool KeyEvents::HandleWindowKey(int& key_code, int shift) {
  const int mode = state_.layout.DisplayMode;
  switch (key_code) {
    case vk::F(2):
    case vk::F(3):
    case vk::F(4): {
      const int wanted = key_code == vk::F(2) ? 2 : key_code == vk::F(3) ? 1 : 0;
      if (mode == wanted) return false;
      ChangeDisplayMode(wanted);
      return true;
    }
    case vk::F(1):
      actions_.OpenHelp();
      return true;
    case vk::F(12):
      actions_.ShowAbout();
      return true;
    case vk::kUp:
    case vk::kDown:
      if (state_.layout.CcMode == kCcOff) {
        key_code = key_code == vk::kUp ? vk::kPrior : vk::kNext;
        return false;
      }
      if (state_.input.ControllerKeys != -1) return false;
      MoveController(key_code == vk::kUp ? -state_.layout.WheelBand : state_.layout.WheelBand);
      return true;
    case vk::Numpad(0):
    case vk::F(6):
      chords_.ClearChord();
      return true;
    case vk::F(7):
      if (shift == kCtrlMask) {
        chords_.SelectPreviousChord();
      } else {
        chords_.SelectNextChord();
      }
      return true;
    default:
      return false;
  }
}

void KeyEvents::ChangeDisplayMode(int mode) {
  actions_.RestoreIfMinimized();
  state_.layout.RequestedDisplayMode = mode;
  state_.input.ModeChanging = -1;
  actions_.ApplyDisplayMode();
  state_.input.ModeChanging = 0;
  actions_.ResendInstrument();
}

void KeyEvents::MoveController(int delta) {
  auto& layout = state_.layout;
  if (layout.CcMode < 0 || layout.CcMode >= static_cast<int>(layout.CcValue.size())) return;
  auto& value = layout.CcValue[static_cast<std::size_t>(layout.CcMode)];
  const int moved = std::clamp(value + delta, 0, 127);
  actions_.ApplyCcValue(moved);
  value = moved;
}

void KeyEvents::HandleCommonKey(int& key_code, int shift) {
  switch (key_code) {
    case vk::kEscape:
      if (state_.input.EscHeld == 0 && EscConditions(state_, actions_)) {
        actions_.ShowRecordPicture(kRecordPictureContinue);
        state_.input.EscHeld = -1;
      }
      break;
    case vk::F(5):
      F5(shift);
      break;
    case vk::F(10):
      if (state_.layout.DisplayMode == 0) actions_.SwitchCcMode(-1);
      key_code = 0;  // keeps the window menu from opening
      break;
    case vk::F(11):
      actions_.ToggleMetronome();
      break;
    case vk::kAdd:
    case vk::F(9):
      StepOctave(1);
      break;
    case vk::kSubtract:
    case vk::F(8):
      StepOctave(-1);
      break;
    case vk::kMultiply:
      StepTranspose(1);
      break;
    case vk::kDivide:
      StepTranspose(-1);
      break;
    case vk::kPrior:
      StepInstrument(-1);
      break;
    case vk::kNext:
      StepInstrument(1);
      break;
    case vk::Numpad(0):
      chords_.ClearChord();
      break;
    case vk::kDecimal:
      chords_.SelectChordSlot(kOctaveChordSlot);
      break;
    default:
      if (key_code >= vk::Numpad(1) && key_code <= vk::Numpad(9)) {
        chords_.SelectChordSlot(key_code - vk::kNumpad0);
      }
      break;
  }
}

void KeyEvents::F5(int shift) {
  const bool stop_enabled = actions_.StopEnabled();
  if (shift == kCtrlMask && !stop_enabled) {
    actions_.TogglePlayPanel();
    actions_.StartRecording();
  } else if (!stop_enabled && actions_.StartEnabled()) {
    actions_.TogglePlayPanel();
    actions_.StartPlayback();
  } else if (stop_enabled) {
    actions_.TogglePlayPanel();
    actions_.StopPlayback();
  }
}

void KeyEvents::StepOctave(int delta) {
  const int wanted = state_.midi.OctaveShift + delta;
  if (wanted < kOctaveMin || wanted > kOctaveMax) return;
  state_.midi.OctaveShift = actions_.SetOctaveScroll(wanted);
  view_.RedrawKeyboard();
}

void KeyEvents::StepTranspose(int delta) {
  const int wanted = state_.midi.Transpose + delta;
  if (wanted < kTransposeMin || wanted > kTransposeMax) return;
  state_.midi.Transpose = actions_.SetTransposeScroll(wanted);
  midi_.ResetSound();
}

void KeyEvents::StepInstrument(int delta) {
  const int selected = state_.midi.SelectedProgram;
  if (delta < 0 && selected > 0) actions_.SelectInstrument(selected - 1);
  if (delta > 0 && selected < kLastProgram) actions_.SelectInstrument(selected + 1);
}

}  // namespace kirivane
