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

  // Opens the first driver that works (JACK only when its server runs). When none does,
  // returns false and sets *error to the drivers' own error texts.
  bool Start(BuiltinSynth& synth, bool jack_running, std::string* error);
  void Stop();

 private:
  fluid_audio_driver_t* driver_ = nullptr;
};

}  // namespace kirivane
