#include "platform/midi/system_midi_out.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/midi/quiet_libraries.h"

namespace kirivane {

namespace {
constexpr char kNoSuchDevice[] = "The specified MIDI device does not exist.";
}  // namespace

SystemMidiOutOptions MidiOptionsFromEnvironment() {
  SystemMidiOutOptions options;
  if (const char* capture = std::getenv("KIRIVANE_MIDI_CAPTURE")) options.capture_path = capture;
  return options;
}

SystemMidiOut::SystemMidiOut(SystemMidiOutOptions options) : options_(std::move(options)) {}

SystemMidiOut::~SystemMidiOut() {
  Close();
}

std::vector<std::string> SystemMidiOut::DeviceNames() {
  std::error_code error;
  has_synth_ = std::filesystem::is_regular_file(options_.soundfont, error);
  std::vector<std::string> names;
  if (has_synth_) names.push_back(kBuiltinSynthName);
  jack_running_ = JackServerRunning();
  for (const std::string& name : ports_.Refresh(*jack_running_)) names.push_back(name);
  listed_ = true;
  return names;
}

bool SystemMidiOut::JackRunning() {
  if (!jack_running_) jack_running_ = JackServerRunning();
  return *jack_running_;
}

int SystemMidiOut::Fail(int code, std::string text) {
  // The one line of the device the user chose; the libraries themselves stay quiet.
  std::string line = text;
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  std::fprintf(stderr, "kirivane: MIDI device: %s\n", line.c_str());
  last_error_code_ = code;
  last_error_text_ = std::move(text);
  return code;
}

int SystemMidiOut::OpenSynth() {
  std::string error;
  if (!synth_) {
    synth_ = LoadLiveSynth(options_.soundfont, options_.sample_rate, &error);
    if (!synth_) return Fail(kMidiErrorGeneral, "The built-in synthesizer cannot start. " + error);
  }
  if (!synth_->StartAudio(JackRunning(), &error)) {
    return Fail(kMidiErrorGeneral, "The built-in synthesizer finds no audio output.\n" + error);
  }
  target_ = Target::kSynth;
  return 0;
}

int SystemMidiOut::Open(int device_id) {
  Close();
  std::string error;
  if (device_id == kMidiMapper) {
    if (options_.capture_path.empty()) return OpenSynth();
    if (!capture_.Open(options_.capture_path, &error)) return Fail(kMidiErrorGeneral, error);
    target_ = Target::kCapture;
    return 0;
  }
  if (!listed_) DeviceNames();
  if (device_id < 0) return Fail(kMidiErrorBadDevice, kNoSuchDevice);
  if (has_synth_ && device_id == 0) return OpenSynth();
  const auto port = static_cast<std::size_t>(device_id - (has_synth_ ? 1 : 0));
  if (port >= ports_.Names().size()) {
    return Fail(kMidiErrorBadDevice, kNoSuchDevice);
  }
  if (!ports_.Open(port, &error)) return Fail(kMidiErrorGeneral, error);
  target_ = Target::kPort;
  return 0;
}

std::size_t SystemMidiOut::ShortMessageLength(int status) {
  if (status < 0x80) return 0;
  if (status < 0xF0) return (status & 0xE0) == 0xC0 ? 2 : 3;  // program, channel pressure: 2
  if (status == 0xF1 || status == 0xF3) return 2;
  if (status == 0xF2) return 3;
  return 1;
}

void SystemMidiOut::SendShort(std::uint32_t packed) {
  if (target_ == Target::kNone) return;
  if (target_ == Target::kSynth) {
    synth_->SendShort(packed);
    return;
  }
  const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(packed & 0xFF),
                                 static_cast<std::uint8_t>((packed >> 8) & 0xFF),
                                 static_cast<std::uint8_t>((packed >> 16) & 0xFF)};
  const std::size_t length = ShortMessageLength(bytes[0]);
  if (length > 0) SendBytes(bytes, length);
}

void SystemMidiOut::SendLong(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return;
  if (target_ == Target::kSynth) {
    synth_->SendLong(bytes);
    return;
  }
  SendBytes(bytes.data(), bytes.size());
}

void SystemMidiOut::SendBytes(const std::uint8_t* bytes, std::size_t length) {
  if (target_ == Target::kCapture) capture_.Write(bytes, length);
  if (target_ == Target::kPort) ports_.Send(bytes, length);
}

void SystemMidiOut::Reset() {
  if (target_ == Target::kSynth) synth_->Reset();
  if (target_ != Target::kPort) return;
  // An external synthesizer is silenced with the damper released and all notes off per channel.
  for (std::uint8_t channel = 0; channel < 16; ++channel) {
    const std::uint8_t damper[3] = {static_cast<std::uint8_t>(0xB0 | channel), 64, 0};
    const std::uint8_t notes_off[3] = {static_cast<std::uint8_t>(0xB0 | channel), 123, 0};
    ports_.Send(damper, 3);
    ports_.Send(notes_off, 3);
  }
}

void SystemMidiOut::Close() {
  if (target_ == Target::kSynth) {
    synth_->Reset();
    synth_->StopAudio();
  }
  capture_.Close();
  ports_.Close();
  target_ = Target::kNone;
}

std::string SystemMidiOut::ErrorText(int error_code) {
  if (error_code == last_error_code_ && !last_error_text_.empty()) return last_error_text_;
  switch (error_code) {
    case 0:
      return "The operation completed successfully.";
    case kMidiErrorBadDevice:
      return kNoSuchDevice;
    default:
      return "The MIDI device cannot be used (error " + std::to_string(error_code) + ").";
  }
}

}  // namespace kirivane
