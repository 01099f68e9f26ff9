#include "player/midi/midi_mode.h"

#include <string>

namespace kirivane {

namespace {

constexpr int kNoteOff = 0x80;
constexpr int kNoteOn = 0x90;
constexpr int kControl = 0xB0;
constexpr int kProgram = 0xC0;
constexpr int kPercussionChannel = 10;

constexpr int kControllerModulation = 1;
constexpr int kControllerVolume = 7;
constexpr int kControllerDamper = 64;
constexpr int kControllerResetAll = 121;

constexpr int kNoteOffVelocity = 64;
constexpr int kAllNotesOffVelocity = 127;

// Damper lamp colours, Windows RGB values.
constexpr int kLampDownBorder = 12332382;
constexpr int kLampDownFill = 16749229;
constexpr int kLampDownXmasBorder = 19755;
constexpr int kLampDownXmasFill = 4229478;
constexpr int kLampUpBorder = 16750926;
constexpr int kLampUpFill = 16768401;
constexpr int kLampUpPercussionBorder = 3718655;
constexpr int kLampUpPercussionFill = 10155263;

int Status(int kind, int channel) {
  return kind + ((channel - 1) & 0x0F);
}
int LowSevenBits(int value) {
  return value & 0x7F;
}

}  // namespace

MidiMode::MidiMode(PlayerState& state, MidiOut& out) : state_(state), out_(out) {}

// --- device --------------------------------------------------------------------------------

int MidiMode::OpenMidiOut(int device_id) {
  MidiState& midi = state_.midi;
  const int result = out_.Open(device_id);
  if (result == 0) {
    const int volume = midi.MainVolume;
    SendShort(Status(kControl, midi.KeyChannel), kControllerVolume, volume);
    SendShort(Status(kControl, midi.PlayChannel), kControllerVolume, volume);
    SendShort(Status(kControl, kPercussionChannel), kControllerVolume, volume);
    midi.Timer1Enabled = true;
    return 0;
  }
  const std::string text = out_.ErrorText(result);
  messages_->ShowError(text, true);
  midi.DeviceSwitchOn = false;
  midi.Timer1Enabled = false;
  return result;
}

void MidiMode::CloseMidiOut() {
  AllNotesOff();
  const MidiState& midi = state_.midi;
  SendShort(Status(kControl, midi.KeyChannel), kControllerResetAll, 0);
  SendShort(Status(kControl, midi.PlayChannel), kControllerResetAll, 0);
  SendShort(Status(kControl, kPercussionChannel), kControllerResetAll, 0);
  out_.Close();
}

bool MidiMode::DeviceOpen() const {
  return out_.IsOpen();
}

// --- notes ---------------------------------------------------------------------------------

int MidiMode::NoteOfKey(int key_value) const {
  const MidiState& midi = state_.midi;
  return midi.BaseNote + 12 * midi.OctaveShift + key_value + midi.Transpose - 24;
}

void MidiMode::KeyNoteOn(int key_value) {
  SendNoteOn(NoteOfKey(key_value));
}

void MidiMode::KeyNoteOnVelocity(int key_value, int velocity) {
  SendNoteOnVelocity(NoteOfKey(key_value), velocity);
}

void MidiMode::KeyNoteOff(int key_value) {
  SendNoteOff(NoteOfKey(key_value));
}

void MidiMode::SendNoteOn(int note) {
  SendNoteOnVelocity(note, state_.midi.KeyVelocity);
}

void MidiMode::SendNoteOnVelocity(int note, int velocity) {
  const int n = LowSevenBits(note);
  Record(n, velocity, kEventNoteOn);
  SendShort(Status(kNoteOn, state_.midi.KeyOutChannel), n, velocity);
}

void MidiMode::SendNoteOff(int note) {
  SendNoteOffOnChannel(note, state_.midi.KeyOutChannel);
}

void MidiMode::SendNoteOffOnChannel(int note, int channel) {
  const int n = LowSevenBits(note);
  Record(n, 0, kEventNoteOff);
  SendShort(Status(kNoteOff, channel), n, kNoteOffVelocity);
}

void MidiMode::PlayRecordedNote(int note, int velocity) {
  const MidiState& midi = state_.midi;
  const int sounding = LowSevenBits(note + midi.Transpose);
  const int index = note + midi.Transpose - 12 * midi.OctaveShift - 55;
  if (velocity > 0) {
    SendShort(Status(kNoteOn, midi.PlayOutChannel), sounding, velocity);
    if (view_ != nullptr) view_->DrawKeyDown(index, kKeySourcePlayback);
  } else {
    SendShort(Status(kNoteOff, midi.PlayOutChannel), sounding, kNoteOffVelocity);
    if (view_ != nullptr) view_->DrawKeyUp(index, kKeySourcePlayback);
  }
}

// --- damper --------------------------------------------------------------------------------

void MidiMode::SendDamper(int value, int kind) {
  const MidiState& midi = state_.midi;
  SendShort(Status(kControl, midi.KeyOutChannel), kControllerDamper, value);
  if (midi.PlayOutChannel != midi.KeyOutChannel) {
    SendShort(Status(kControl, midi.PlayOutChannel), kControllerDamper, value);
  }
  Record(0, 0, kind);
}

void MidiMode::DamperOn() {
  SendDamper(127, kEventDamperDown);
  LightDamperLamp(true);
}

void MidiMode::DamperOff() {
  SendDamper(0, kEventDamperUp);
  LightDamperLamp(false);
}

void MidiMode::SendDamperValue(int value, int channel, bool pedal_changed) {
  SendShort(Status(kControl, channel), kControllerDamper, value);
  if (!pedal_changed) return;
  const bool down = value >= 64;
  Record(0, 0, down ? kEventDamperDown : kEventDamperUp);
  LightDamperLamp(down);
}

void MidiMode::LightDamperLamp(bool down) {
  if (down) {
    if (state_.app.XmasSpecial == -1) {
      SetDamperLamp(kLampDownXmasBorder, kLampDownXmasFill);
    } else {
      SetDamperLamp(kLampDownBorder, kLampDownFill);
    }
  } else if (state_.midi.PercussionSet) {
    SetDamperLamp(kLampUpPercussionBorder, kLampUpPercussionFill);
  } else {
    SetDamperLamp(kLampUpBorder, kLampUpFill);
  }
}

void MidiMode::SetDamperLamp(int border_rgb, int fill_rgb) {
  state_.midi.DamperLampBorder = border_rgb;
  state_.midi.DamperLampFill = fill_rgb;
  lamp_->SetDamperLamp(border_rgb, fill_rgb);
}

// --- silencing and controllers -------------------------------------------------------------

void MidiMode::AllNotesOff() {
  const MidiState& midi = state_.midi;
  const bool bar_mode = state_.layout.DisplayMode == 2;
  const bool play_differs = midi.PlayChannel != midi.KeyChannel;
  for (int note = 0; note < 128; ++note) {
    if (bar_mode) {
      if (view_ == nullptr || !view_->IsPressed128(note)) continue;
    }
    SendShort(Status(kNoteOff, midi.KeyChannel), note, kAllNotesOffVelocity);
    if (play_differs) SendShort(Status(kNoteOff, midi.PlayChannel), note, kAllNotesOffVelocity);
    if (bar_mode || midi.PercussionSet) {
      SendShort(Status(kNoteOff, kPercussionChannel), note, kAllNotesOffVelocity);
    }
  }
  if (midi.PlayDamper == -1) DamperOff();
}

void MidiMode::SendControlOnSettingsChannels(int controller, int value) {
  const MidiState& midi = state_.midi;
  SendShort(Status(kControl, midi.KeyChannel), controller, value);
  if (midi.PlayChannel != midi.KeyChannel) {
    SendShort(Status(kControl, midi.PlayChannel), controller, value);
  }
  if (midi.PercussionSet) SendShort(Status(kControl, kPercussionChannel), controller, value);
}

void MidiMode::SendMainVolume(int volume) {
  SendControlOnSettingsChannels(kControllerVolume, volume);
}

void MidiMode::SendModulation() {
  SendControlOnSettingsChannels(kControllerModulation, state_.midi.Modulation);
}

void MidiMode::SendBankProgram(int bank, int program, int channel) {
  SendShort(Status(kControl, channel), 0, bank);
  SendShort(Status(kControl, channel), 32, 0);
  SendShort(Status(kProgram, channel), program, 0);
}

void MidiMode::SendProgramOnChannels(int bank, int program) {
  const MidiState& midi = state_.midi;
  SendBankProgram(bank, program, midi.KeyOutChannel);
  if (midi.PlayOutChannel != midi.KeyOutChannel) {
    SendBankProgram(bank, program, midi.PlayOutChannel);
  }
}

void MidiMode::ResetSound() {
  MidiState& midi = state_.midi;
  const int program = midi.SelectedProgram < 0 ? 0 : midi.SelectedProgram;
  SendShort(Status(kControl, midi.KeyChannel), kControllerResetAll, 0);
  if (midi.PlayChannel != midi.KeyChannel) {
    SendShort(Status(kControl, midi.PlayChannel), kControllerResetAll, 0);
  }
  SendShort(Status(kControl, kPercussionChannel), kControllerResetAll, 0);
  SendShort(Status(kProgram, midi.KeyOutChannel), program, 0);
  SendShort(Status(kProgram, midi.PlayOutChannel), program, 0);
  out_.Reset();
  SendModulation();
  if (controller_ == nullptr) return;
  LayoutState& layout = state_.layout;
  if (layout.CcMode == 1) {
    const int rest = controller_->CcRest(1);
    controller_->ApplyCcValue(rest);
    layout.CcValue[1] = rest;
  } else if (layout.CcMode == 2) {
    controller_->ApplyCcValue(midi.Modulation);
  }
}

// --- raw messages --------------------------------------------------------------------------

void MidiMode::SendShort(int status, int data1, int data2) {
  const std::uint32_t packed = static_cast<std::uint32_t>(status & 0xFF) |
                               (static_cast<std::uint32_t>(data1 & 0x7F) << 8) |
                               (static_cast<std::uint32_t>(data2 & 0x7F) << 16);
  out_.SendShort(packed);
}

void MidiMode::SendLong(const std::vector<std::uint8_t>& bytes) {
  out_.SendLong(bytes);
}

void MidiMode::Record(int data, int velocity, int kind) {
  if (sink_ != nullptr) sink_->RecordEvent(data, velocity, kind);
}

}  // namespace kirivane
