#include "player/input/key_events.h"

#include <algorithm>

#include "common/keymap/vk_codes.h"
#include "player/input/key_map_loader.h"
#include "player/layout/controller_lantern.h"
#include "player/layout/side_panels.h"
#include "player/midi/device_controls.h"
#include "player/performance/transport.h"

namespace kirivane {

namespace {

constexpr int kFirstKeyNumber = 7;
constexpr int kLastKeyNumber = 43;
constexpr int kOctaveMin = -3;
constexpr int kOctaveMax = 3;
constexpr int kTransposeMin = -11;
constexpr int kTransposeMax = 11;
constexpr int kLastProgram = 127;

int Mod128(int value) {
  return ((value % 128) + 128) % 128;
}

}  // namespace

// Esc swaps the record picture while nothing runs, a performance is in memory and the full
// window shows the record button.
bool KeyEvents::EscShowsRecordPicture() const {
  return state_.performance.Playing == 0 && state_.performance.Recording == 0 &&
         state_.layout.DisplayMode == 0 && state_.events.EventCount > 0;
}

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
      peers_.side_panels.ShowNotePicture(
          Mod128(midi.BaseNote + 12 * midi.OctaveShift + k + midi.Transpose - 13), 1);
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
  view_.Refresh();
  const auto& midi = state_.midi;
  if (state_.layout.DisplayMode == 2) {
    view_.ShowNoteName(midi.BaseNote + 12 * midi.OctaveShift + k - 12 + midi.Transpose);
  }
  peers_.side_panels.Command10_MouseDown();
  peers_.side_panels.ShowScoreNote(Mod128(k + 13));
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
  view_.Refresh();
  peers_.side_panels.Command10_MouseUp();
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
  if (state_.input.EscHeld == -1 && EscShowsRecordPicture()) {
    peers_.transport.ShowRecordContinues(false);
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
      window_->OpenHelp();
      return true;
    case vk::F(12):
      window_->ShowAbout();
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
  window_->RestoreIfMinimized();
  state_.layout.RequestedDisplayMode = mode;
  state_.input.ModeChanging = -1;
  window_->ApplyDisplayMode();
  state_.input.ModeChanging = 0;
  peers_.devices.ResendInstrument();
}

void KeyEvents::MoveController(int delta) {
  auto& layout = state_.layout;
  if (layout.CcMode < 0 || layout.CcMode >= static_cast<int>(layout.CcValue.size())) return;
  auto& value = layout.CcValue[static_cast<std::size_t>(layout.CcMode)];
  const int moved = std::clamp(value + delta, 0, 127);
  peers_.lantern.ApplyCcValue(moved);
  value = moved;
}

void KeyEvents::HandleCommonKey(int& key_code, int shift) {
  switch (key_code) {
    case vk::kEscape:
      if (state_.input.EscHeld == 0 && EscShowsRecordPicture()) {
        peers_.transport.ShowRecordContinues(true);
        state_.input.EscHeld = -1;
      }
      break;
    case vk::F(5):
      F5(shift);
      break;
    case vk::F(10):
      if (state_.layout.DisplayMode == 0) peers_.lantern.SwitchCcMode(-1);
      key_code = 0;  // keeps the window menu from opening
      break;
    case vk::F(11):
      peers_.transport.ToggleMetronome(peers_.transport.TempoBox(), peers_.transport.BeatsBox());
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
  Transport& transport = peers_.transport;
  const bool stop_enabled = transport.StopEnabled();
  if (shift == kCtrlMask && !stop_enabled) {
    peers_.side_panels.TogglePlayPanel();
    // CmdRec released: a new take (Esc held asks to continue the one in memory).
    transport.StartRecording(state_.input.EscHeld == -1, transport.TempoBox());
  } else if (!stop_enabled && transport.StartEnabled()) {
    peers_.side_panels.TogglePlayPanel();
    transport.StartPlayback(transport.TempoBox());
  } else if (stop_enabled) {
    peers_.side_panels.TogglePlayPanel();
    transport.Stop();
  }
}

void KeyEvents::StepOctave(int delta) {
  const int wanted = state_.midi.OctaveShift + delta;
  if (wanted < kOctaveMin || wanted > kOctaveMax) return;
  state_.midi.OctaveShift = peers_.devices.ChangeOctave(wanted);
  view_.RedrawKeyboard();
}

void KeyEvents::StepTranspose(int delta) {
  const int wanted = state_.midi.Transpose + delta;
  if (wanted < kTransposeMin || wanted > kTransposeMax) return;
  state_.midi.Transpose = peers_.devices.ChangeTranspose(wanted);
  midi_.ResetSound();
}

void KeyEvents::StepInstrument(int delta) {
  const int selected = state_.midi.SelectedProgram;
  if (delta < 0 && selected > 0) peers_.devices.SelectInstrument(selected - 1);
  if (delta > 0 && selected < kLastProgram) peers_.devices.SelectInstrument(selected + 1);
}

}  // namespace kirivane
