#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/midi/capture_device.h"
#include "platform/midi/rtmidi_ports.h"
#include "platform/midi/synth_module.h"
#include "player/midi/midi_out.h"

namespace kirivane {

struct SystemMidiOutOptions {
  std::string soundfont = kDefaultSoundFont;
  // When set, the MIDI mapper writes to this capture log instead of sounding.
  std::string capture_path;
  int sample_rate = 44100;
};

// Options of the running program: KIRIVANE_MIDI_CAPTURE names the capture log.
SystemMidiOutOptions MidiOptionsFromEnvironment();

// Error codes of Open, in the manner of the classic MIDI API.
inline constexpr int kMidiErrorGeneral = 1;
inline constexpr int kMidiErrorBadDevice = 2;

// The MIDI devices of this machine. The mapper (-1) plays through the built-in synthesizer, or
// writes the capture log when one is configured. Device 0 is the built-in synthesizer (when its
// SoundFont exists); the next devices are the RtMidi output ports, ALSA first, then JACK.
class SystemMidiOut : public MidiOut {
 public:
  explicit SystemMidiOut(SystemMidiOutOptions options);
  ~SystemMidiOut() override;

  std::vector<std::string> DeviceNames() override;
  int Open(int device_id) override;
  bool IsOpen() const override { return target_ != Target::kNone; }
  void SendShort(std::uint32_t packed) override;
  void SendLong(const std::vector<std::uint8_t>& bytes) override;
  void Reset() override;
  void Close() override;
  std::string ErrorText(int error_code) override;

  // Number of bytes a short message with this status has on the wire.
  static std::size_t ShortMessageLength(int status);

 private:
  enum class Target { kNone, kSynth, kCapture, kPort };
  int OpenSynth();
  bool JackRunning();
  int Fail(int code, std::string text);
  void SendBytes(const std::uint8_t* bytes, std::size_t length);

  SystemMidiOutOptions options_;
  std::unique_ptr<LiveSynth> synth_;  // loaded from its module when first opened
  CaptureDevice capture_;
  RtMidiPorts ports_;
  bool listed_ = false;
  std::optional<bool> jack_running_;  // asked once per listing of the devices
  bool has_synth_ = false;
  Target target_ = Target::kNone;
  int last_error_code_ = 0;
  std::string last_error_text_;
};

}  // namespace kirivane
