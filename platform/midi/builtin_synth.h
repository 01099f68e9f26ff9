#pragma once

#include <fluidsynth.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi/synth_module.h"

namespace kirivane {

// The built-in synthesizer: FluidSynth with a GM SoundFont, fed the same packed short messages
// and system-exclusive messages as any MIDI device. It renders on demand, so a live audio
// driver (SynthAudio) and an offline renderer use it alike.
//
// Beyond what FluidSynth understands itself it turns the GS scale tuning (40 1x 40) into an
// octave tuning of that part's channel, and a GM, GS or XG reset also clears those tunings.
class BuiltinSynth {
 public:
  // Loads the SoundFont; on failure returns nothing and sets *error.
  static std::unique_ptr<BuiltinSynth> Create(const std::string& soundfont_path, int sample_rate,
                                              std::string* error);
  ~BuiltinSynth();
  BuiltinSynth(const BuiltinSynth&) = delete;
  BuiltinSynth& operator=(const BuiltinSynth&) = delete;

  // Status in bits 0..7, data bytes in bits 8..15 and 16..23.
  void SendShort(std::uint32_t packed);
  // A whole system-exclusive message, F0 .. F7; anything else is ignored.
  void SendLong(const std::vector<std::uint8_t>& bytes);
  // Releases every note on every channel, the damper included.
  void Reset();
  // Renders frames of stereo 16-bit samples, left and right interleaved.
  void Render(int frames, std::int16_t* interleaved);
  // The same as floating-point samples in -1..1.
  void RenderFloat(int frames, float* interleaved);

  // Tuning offsets in cents (-64..63) of a channel 0..15 from the last GS scale tuning.
  const std::array<int, 12>& ScaleTuning(int channel) const;

  fluid_settings_t* Settings() { return settings_; }
  fluid_synth_t* Synth() { return synth_; }

 private:
  BuiltinSynth(fluid_settings_t* settings, fluid_synth_t* synth);
  bool ApplyGsScaleTuning(const std::uint8_t* data, std::size_t length);
  void ClearScaleTunings();

  fluid_settings_t* settings_;
  fluid_synth_t* synth_;
  std::array<std::array<int, 12>, 16> tunings_{};
};

// Whether a message (without F0 and F7) is a GM system on, GS reset or XG reset.
bool IsSynthesizerReset(const std::uint8_t* data, std::size_t length);

}  // namespace kirivane
