#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/midi/builtin_synth.h"
#include "player/midi/midi_out.h"

namespace kirivane {

// The built-in synthesizer as a MIDI device without any audio driver: everything MidiMode
// sends goes into the synthesizer, and the caller pulls the sound with Render (for example to
// write a WAVE file faster than real time).
class OfflineSynthOut : public RenderingMidiOut {
 public:
  explicit OfflineSynthOut(std::unique_ptr<BuiltinSynth> synth) : synth_(std::move(synth)) {}

  std::vector<std::string> DeviceNames() override { return {kBuiltinSynthName}; }
  int Open(int) override {
    open_ = true;
    return 0;
  }
  bool IsOpen() const override { return open_; }
  void SendShort(std::uint32_t packed) override {
    if (open_) synth_->SendShort(packed);
  }
  void SendLong(const std::vector<std::uint8_t>& bytes) override {
    if (open_) synth_->SendLong(bytes);
  }
  void Reset() override { synth_->Reset(); }
  void Close() override { open_ = false; }
  std::string ErrorText(int) override { return {}; }

  void Render(int frames, std::int16_t* interleaved) override {
    synth_->Render(frames, interleaved);
  }
  void RenderFloat(int frames, float* interleaved) override {
    synth_->RenderFloat(frames, interleaved);
  }

 private:
  std::unique_ptr<BuiltinSynth> synth_;
  bool open_ = true;
};

}  // namespace kirivane
