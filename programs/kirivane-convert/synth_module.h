#pragma once

#include <memory>
#include <string>

#include "player/midi/midi_out.h"

namespace kirivane {

// The built-in synthesizer lives in a module of its own beside the converter, so that only a
// WAVE render pays for loading it and the libraries it needs.
inline constexpr char kSynthModuleFile[] = "kirivane-synth.so";
inline constexpr char kSynthModuleEntry[] = "KirivaneCreateRenderingSynth";

// The module's entry point: the synthesizer with the SoundFont loaded (the General MIDI one the
// player uses when `soundfont` is empty), or nothing with *error set. The caller owns the
// result.
using CreateRenderingSynthFunction = RenderingMidiOut* (*)(const char* soundfont, int sample_rate,
                                                           std::string* error);

// Loads the module from the program folder and creates the synthesizer. The module stays
// loaded for the rest of the process.
std::unique_ptr<RenderingMidiOut> LoadRenderingSynth(const std::string& soundfont, int sample_rate,
                                                     std::string* error);

}  // namespace kirivane
