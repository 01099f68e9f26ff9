#include "platform/midi/builtin_synth.h"

namespace kirivane {

namespace {

constexpr int kGsDeviceId = 0x10;
constexpr int kChannels = 16;

// Channel 0..15 of a GS part address nibble: part 1..9 are 1..9, part 10 is 0, 11..16 are A..F.
int ChannelOfGsPart(int nibble) {
  if (nibble == 0) return 9;
  return nibble < 10 ? nibble - 1 : nibble;
}

bool GsChecksumValid(const std::uint8_t* data, std::size_t length) {
  // data: 41 dev 42 12 address... values... checksum
  int sum = 0;
  for (std::size_t i = 4; i < length; ++i) sum += data[i];
  return sum % 128 == 0;
}

}  // namespace

bool IsSynthesizerReset(const std::uint8_t* data, std::size_t length) {
  const bool gm_on =
      length == 4 && data[0] == 0x7E && data[2] == 0x09 && (data[3] == 0x01 || data[3] == 0x03);
  const bool gs_reset = length == 9 && data[0] == 0x41 && data[2] == 0x42 && data[3] == 0x12 &&
                        data[4] == 0x40 && data[5] == 0x00 && data[6] == 0x7F;
  const bool xg_reset = length == 7 && data[0] == 0x43 && (data[1] & 0xF0) == 0x10 &&
                        data[2] == 0x4C && data[3] == 0x00 && data[4] == 0x00 &&
                        (data[5] == 0x7E || data[5] == 0x7F);
  return gm_on || gs_reset || xg_reset;
}

std::unique_ptr<BuiltinSynth> BuiltinSynth::Create(const std::string& soundfont_path,
                                                   int sample_rate, std::string* error) {
  fluid_settings_t* settings = new_fluid_settings();
  if (settings == nullptr) {
    if (error) *error = "FluidSynth could not create its settings";
    return nullptr;
  }
  fluid_settings_setnum(settings, "synth.sample-rate", sample_rate);
  // GS and XG messages of this program address device 16.
  fluid_settings_setint(settings, "synth.device-id", kGsDeviceId);
  // The samples of a preset are read when a channel selects it, not the whole SoundFont at
  // start: a start reads the few instruments it uses.
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (synth == nullptr) {
    delete_fluid_settings(settings);
    if (error) *error = "FluidSynth could not create a synthesizer";
    return nullptr;
  }
  if (fluid_synth_sfload(synth, soundfont_path.c_str(), 1) == FLUID_FAILED) {
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    if (error) *error = "Cannot load the SoundFont " + soundfont_path;
    return nullptr;
  }
  return std::unique_ptr<BuiltinSynth>(new BuiltinSynth(settings, synth));
}

BuiltinSynth::BuiltinSynth(fluid_settings_t* settings, fluid_synth_t* synth)
    : settings_(settings), synth_(synth) {}

BuiltinSynth::~BuiltinSynth() {
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

void BuiltinSynth::SendShort(std::uint32_t packed) {
  const int status = static_cast<int>(packed & 0xFF);
  const int data1 = static_cast<int>((packed >> 8) & 0x7F);
  const int data2 = static_cast<int>((packed >> 16) & 0x7F);
  const int channel = status & 0x0F;
  switch (status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(synth_, channel, data1);
      break;
    case 0x90:
      fluid_synth_noteon(synth_, channel, data1, data2);  // velocity 0 ends the note
      break;
    case 0xA0:
      fluid_synth_key_pressure(synth_, channel, data1, data2);
      break;
    case 0xB0:
      fluid_synth_cc(synth_, channel, data1, data2);
      break;
    case 0xC0:
      fluid_synth_program_change(synth_, channel, data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(synth_, channel, data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7));
      break;
    default:
      if (status == 0xFF) fluid_synth_system_reset(synth_);
      break;
  }
}

void BuiltinSynth::SendLong(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 3 || bytes.front() != 0xF0 || bytes.back() != 0xF7) return;
  const std::uint8_t* data = bytes.data() + 1;
  const std::size_t length = bytes.size() - 2;
  for (std::size_t i = 0; i < length; ++i) {
    if (data[i] & 0x80) return;  // a status byte inside: not one message
  }
  if (ApplyGsScaleTuning(data, length)) return;
  fluid_synth_sysex(synth_, reinterpret_cast<const char*>(data), static_cast<int>(length), nullptr,
                    nullptr, nullptr, 0);
  if (IsSynthesizerReset(data, length)) ClearScaleTunings();
}

bool BuiltinSynth::ApplyGsScaleTuning(const std::uint8_t* data, std::size_t length) {
  // 41 10 42 12 40 1x 40 v0..v11 checksum
  if (length != 20 || data[0] != 0x41 || data[2] != 0x42 || data[3] != 0x12) return false;
  if (data[4] != 0x40 || (data[5] & 0xF0) != 0x10 || data[6] != 0x40) return false;
  if (data[1] != kGsDeviceId && data[1] != 0x7F) return false;
  if (!GsChecksumValid(data, length)) return true;  // a damaged tuning is dropped
  const int channel = ChannelOfGsPart(data[5] & 0x0F);
  std::array<double, 12> cents{};
  bool flat = true;
  for (int i = 0; i < 12; ++i) {
    const int offset = static_cast<int>(data[7 + i]) - 64;
    tunings_[static_cast<std::size_t>(channel)][static_cast<std::size_t>(i)] = offset;
    cents[static_cast<std::size_t>(i)] = offset;
    flat = flat && offset == 0;
  }
  if (flat) {
    fluid_synth_deactivate_tuning(synth_, channel, 1);
    return true;
  }
  // One tuning program per channel, so that parts keep their own tunings.
  fluid_synth_activate_octave_tuning(synth_, 0, channel, "GS scale tuning", cents.data(), 1);
  fluid_synth_activate_tuning(synth_, channel, 0, channel, 1);
  return true;
}

void BuiltinSynth::ClearScaleTunings() {
  for (int channel = 0; channel < kChannels; ++channel) {
    fluid_synth_deactivate_tuning(synth_, channel, 1);
  }
  tunings_ = {};
}

void BuiltinSynth::Reset() {
  for (int channel = 0; channel < kChannels; ++channel) fluid_synth_cc(synth_, channel, 64, 0);
  fluid_synth_all_notes_off(synth_, -1);
}

void BuiltinSynth::Render(int frames, std::int16_t* interleaved) {
  if (frames <= 0) return;
  fluid_synth_write_s16(synth_, frames, interleaved, 0, 2, interleaved, 1, 2);
}

void BuiltinSynth::RenderFloat(int frames, float* interleaved) {
  if (frames <= 0) return;
  fluid_synth_write_float(synth_, frames, interleaved, 0, 2, interleaved, 1, 2);
}

const std::array<int, 12>& BuiltinSynth::ScaleTuning(int channel) const {
  return tunings_[static_cast<std::size_t>(channel & 0x0F)];
}

}  // namespace kirivane
