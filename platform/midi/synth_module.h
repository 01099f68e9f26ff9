#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/midi/midi_out.h"

namespace kirivane {

// The built-in synthesizer lives in a module of its own, kirivane-synth.so, beside the programs
// (or under lib/kirivane when installed): FluidSynth and the many audio libraries it needs are
// loaded only by a player that plays through it and by a converter that renders a WAVE file.
inline constexpr char kSynthModuleFile[] = "kirivane-synth.so";
inline constexpr char kLiveSynthEntry[] = "KirivaneCreateLiveSynth";
inline constexpr char kRenderingSynthEntry[] = "KirivaneCreateRenderingSynth";

// The General MIDI SoundFont the built-in synthesizer plays with.
inline constexpr char kDefaultSoundFont[] = "/usr/share/sounds/sf2/default-GM.sf2";
inline constexpr char kBuiltinSynthName[] = "Built-in synthesizer";

// The synthesizer playing live through the desktop's audio. Messages are packed short
// messages (status in bits 0..7, data in 8..15 and 16..23) and whole system-exclusive messages.
class LiveSynth {
 public:
  virtual ~LiveSynth() = default;
  virtual void SendShort(std::uint32_t packed) = 0;
  virtual void SendLong(const std::vector<std::uint8_t>& bytes) = 0;
  // Releases every note on every channel, the damper included.
  virtual void Reset() = 0;
  // Opens the first audio output that works (JACK only when its server runs); when none does,
  // returns false and sets *error to the outputs' own error texts.
  virtual bool StartAudio(bool jack_running, std::string* error) = 0;
  virtual void StopAudio() = 0;
};

// The module's entry points: the synthesizer with the SoundFont loaded (the General MIDI one
// when `soundfont` is empty), or nothing with *error set. The caller owns the result.
using CreateLiveSynthFunction = LiveSynth* (*)(const char* soundfont, int sample_rate,
                                               std::string* error);
using CreateRenderingSynthFunction = RenderingMidiOut* (*)(const char* soundfont, int sample_rate,
                                                           std::string* error);

// Load the module (once; it stays loaded for the rest of the process) and create the
// synthesizer. On failure they return nothing and set *error.
std::unique_ptr<LiveSynth> LoadLiveSynth(const std::string& soundfont, int sample_rate,
                                         std::string* error);
std::unique_ptr<RenderingMidiOut> LoadRenderingSynth(const std::string& soundfont, int sample_rate,
                                                     std::string* error);

}  // namespace kirivane
