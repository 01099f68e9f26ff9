// The module kirivane-synth.so: the built-in synthesizer for the converter's WAVE render.
#include "programs/kirivane-convert/synth_module.h"

#include "platform/midi/builtin_synth.h"
#include "platform/midi/offline_synth_out.h"

extern "C" __attribute__((visibility("default"))) kirivane::RenderingMidiOut*
KirivaneCreateRenderingSynth(const char* soundfont, int sample_rate, std::string* error) {
  auto synth = kirivane::BuiltinSynth::Create(
      *soundfont != 0 ? soundfont : kirivane::kDefaultSoundFont, sample_rate, error);
  if (!synth) return nullptr;
  return new kirivane::OfflineSynthOut(std::move(synth));
}
