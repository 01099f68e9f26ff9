// The module kirivane-synth.so: the built-in synthesizer, live for the player and offline for
// the converter's WAVE render.
#include "platform/midi/builtin_synth.h"
#include "platform/midi/offline_synth_out.h"
#include "platform/midi/synth_audio.h"
#include "platform/midi/synth_module.h"

namespace kirivane {
namespace {

class FluidLiveSynth : public LiveSynth {
 public:
  explicit FluidLiveSynth(std::unique_ptr<BuiltinSynth> synth) : synth_(std::move(synth)) {}
  ~FluidLiveSynth() override { audio_.Stop(); }

  void SendShort(std::uint32_t packed) override { synth_->SendShort(packed); }
  void SendLong(const std::vector<std::uint8_t>& bytes) override { synth_->SendLong(bytes); }
  void Reset() override { synth_->Reset(); }
  bool StartAudio(bool jack_running, std::string* error) override {
    return audio_.Start(*synth_, jack_running, error);
  }
  void StopAudio() override { audio_.Stop(); }

 private:
  std::unique_ptr<BuiltinSynth> synth_;
  SynthAudio audio_;
};

std::unique_ptr<BuiltinSynth> CreateSynth(const char* soundfont, int sample_rate,
                                          std::string* error) {
  return BuiltinSynth::Create(*soundfont != 0 ? soundfont : kDefaultSoundFont, sample_rate, error);
}

}  // namespace
}  // namespace kirivane

extern "C" __attribute__((visibility("default"))) kirivane::LiveSynth* KirivaneCreateLiveSynth(
    const char* soundfont, int sample_rate, std::string* error) {
  auto synth = kirivane::CreateSynth(soundfont, sample_rate, error);
  if (!synth) return nullptr;
  return new kirivane::FluidLiveSynth(std::move(synth));
}

extern "C" __attribute__((visibility("default"))) kirivane::RenderingMidiOut*
KirivaneCreateRenderingSynth(const char* soundfont, int sample_rate, std::string* error) {
  auto synth = kirivane::CreateSynth(soundfont, sample_rate, error);
  if (!synth) return nullptr;
  return new kirivane::OfflineSynthOut(std::move(synth));
}
