#pragma once

#include <fluidsynth.h>

#include <string>

#include "platform/midi/builtin_synth.h"

namespace kirivane {

// Plays a BuiltinSynth live through the desktop's audio: PulseAudio (PipeWire speaks it too),
// then ALSA, then JACK (without starting a JACK server).
class SynthAudio {
 public:
  SynthAudio() = default;
  ~SynthAudio();
  SynthAudio(const SynthAudio&) = delete;
  SynthAudio& operator=(const SynthAudio&) = delete;

  // Opens the first driver that works. When none does, returns false and sets *error to the
  // drivers' own error texts.
  bool Start(BuiltinSynth& synth, std::string* error);
  void Stop();
  bool Running() const { return driver_ != nullptr; }
  // Name of the running driver ("pulseaudio", "alsa", "jack"), empty when stopped.
  const std::string& DriverName() const { return driver_name_; }

 private:
  fluid_audio_driver_t* driver_ = nullptr;
  std::string driver_name_;
};

}  // namespace kirivane
