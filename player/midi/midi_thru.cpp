#include "player/midi/midi_thru.h"

#include <cstddef>

namespace kirivane {

namespace {

constexpr int kNoteOff = 0x80;
constexpr int kNoteOn = 0x90;
constexpr int kControl = 0xB0;
constexpr int kProgram = 0xC0;
constexpr int kChannelPressure = 0xD0;
constexpr int kPitchBend = 0xE0;
constexpr int kControllerModulation = 1;
constexpr int kControllerDamper = 64;
constexpr int kBendCentreMsb = 64;

// Bytes a channel message of this kind has, status included.
std::size_t LengthOf(int kind) {
  return kind == kProgram || kind == kChannelPressure ? 2 : 3;
}

}  // namespace

MidiThru::MidiThru(PlayerState& state, MidiMode& midi, MidiIn& in, KeyboardView& keyboard)
    : state_(state), midi_(midi), in_(in), keyboard_(keyboard) {
  in_.SetListener(this);
}

MidiThru::~MidiThru() {
  in_.SetListener(nullptr);
}

bool MidiThru::SelectPort(const std::string& port) {
  MidiInState& input = state_.midi_in;
  if (!port.empty() && port == in_.OpenPort()) return true;
  in_.Close();
  ReleaseAll();
  input.MidiInPort.clear();
  bool opened = true;
  if (!port.empty()) {
    std::string error;
    opened = in_.Open(port, &error);
    if (opened) {
      input.MidiInPort = in_.OpenPort();
    } else {
      view_->ShowPortOpenFailed(port, error);
    }
  }
  view_->ShowInputPort(input.MidiInPort);
  return opened;
}

void MidiThru::OpenSavedPort() {
  const std::string saved = state_.midi_in.MidiInPort;
  if (!saved.empty()) SelectPort(saved);
}

void MidiThru::ReleaseAll() {
  bool drawn = false;
  for (int note = 0; note < 128; ++note) {
    if (state_.midi_in.SoundingChannel[static_cast<std::size_t>(note)] == 0) continue;
    EndNote(note);
    drawn = true;
  }
  ReleaseControllers();
  if (drawn) keyboard_.Refresh();
}

void MidiThru::ReleaseControllers() {
  MidiInState& input = state_.midi_in;
  if (input.DamperChannel != 0) {
    midi_.SendDamperValue(0, input.DamperChannel, true);
    input.DamperChannel = 0;
  }
  if (input.BendChannel != 0) {
    midi_.SendShort(kPitchBend + input.BendChannel - 1, 0, kBendCentreMsb);
    input.BendChannel = 0;
  }
  if (input.ModulationChannel != 0) {
    midi_.SendShort(kControl + input.ModulationChannel - 1, kControllerModulation,
                    state_.midi.Modulation);
    input.ModulationChannel = 0;
  }
}

void MidiThru::MidiInReady() {
  MidiInBatch batch = in_.Drain();
  // A dropped note-off would leave its note sounding: start again from silence.
  if (batch.lost) ReleaseAll();
  bool drawn = false;
  for (const MidiInMessage& message : batch.messages) drawn = Handle(message) || drawn;
  if (drawn) keyboard_.Refresh();
}

void MidiThru::MidiInPortLost(const std::string& port) {
  MidiInReady();  // what the port sent before it went
  in_.Close();
  ReleaseAll();
  state_.midi_in.MidiInPort.clear();
  view_->ShowPortLost(port);
  view_->ShowInputPort("");
}

bool MidiThru::Handle(const MidiInMessage& message) {
  const int status = message.bytes[0];
  const int kind = status & 0xF0;
  if (status < 0x80 || status >= 0xF0 || message.size < LengthOf(kind)) return false;
  const int data1 = message.bytes[1] & 0x7F;
  const int data2 = message.bytes[2] & 0x7F;
  switch (kind) {
    case kNoteOn:
      return data2 > 0 ? NoteOn(data1, data2) : NoteOff(data1);
    case kNoteOff:
      return NoteOff(data1);
    case kControl:
      if (data1 == kControllerDamper) Damper(data2);
      if (data1 == kControllerModulation) {
        SendToKeyChannel(kControl, data1, data2);
        state_.midi_in.ModulationChannel = state_.midi.KeyOutChannel;
      }
      return false;
    case kPitchBend: {
      SendToKeyChannel(kPitchBend, data1, data2);
      const bool centred = data1 == 0 && data2 == kBendCentreMsb;
      state_.midi_in.BendChannel = centred ? 0 : state_.midi.KeyOutChannel;
      return false;
    }
    case kProgram:
      SendToKeyChannel(kProgram, data1, 0);
      return false;
    default:
      return false;
  }
}

bool MidiThru::NoteOn(int note, int velocity) {
  MidiInState& input = state_.midi_in;
  const auto n = static_cast<std::size_t>(note);
  // Struck again before its release (two sources merged): end it first, wherever it went.
  if (input.SoundingChannel[n] != 0) EndNote(note);
  const MidiState& midi = state_.midi;
  midi_.SendNoteOnVelocity(note, velocity);
  input.SoundingChannel[n] = static_cast<std::uint8_t>(midi.KeyOutChannel);
  // The key of the note itself: the 128-key bar reads this index back as `note`.
  input.DrawnKey[n] = note - 12 * midi.OctaveShift - 55;
  keyboard_.DrawKeyDown(input.DrawnKey[n], kKeySourceMidiIn);
  if (state_.layout.DisplayMode == 2) keyboard_.ShowNoteName(note);
  return true;
}

bool MidiThru::NoteOff(int note) {
  // A note that did not start here (held before the port opened, or already ended by
  // ReleaseAll) has nothing to end.
  if (state_.midi_in.SoundingChannel[static_cast<std::size_t>(note)] == 0) return false;
  EndNote(note);
  return true;
}

void MidiThru::EndNote(int note) {
  MidiInState& input = state_.midi_in;
  const auto n = static_cast<std::size_t>(note);
  midi_.SendNoteOffOnChannel(note, input.SoundingChannel[n]);
  input.SoundingChannel[n] = 0;
  keyboard_.DrawKeyUp(input.DrawnKey[n], kKeySourceMidiIn);
}

void MidiThru::Damper(int value) {
  MidiInState& input = state_.midi_in;
  // While the pedal is down its values stay on the channel it went down on.
  const int channel = input.DamperChannel != 0 ? input.DamperChannel : state_.midi.KeyOutChannel;
  const bool down = value >= 64;
  midi_.SendDamperValue(value, channel, down != (input.DamperChannel != 0));
  input.DamperChannel = down ? channel : 0;
}

void MidiThru::SendToKeyChannel(int kind, int data1, int data2) {
  midi_.SendShort(kind + state_.midi.KeyOutChannel - 1, data1, data2);
}

}  // namespace kirivane
