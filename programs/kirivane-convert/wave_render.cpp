#include "programs/kirivane-convert/wave_render.h"

#include <algorithm>
#include <vector>

#include "common/basic/text_file.h"
#include "player/midi/midi_mode.h"
#include "player/performance/offline_playback.h"
#include "player/performance/playback_engine.h"
#include "player/performance/wave_header.h"
#include "programs/kirivane-convert/synth_module.h"

namespace kirivane {

namespace {

std::int64_t FramesAt(std::int64_t ms) {
  return ms * kRenderSampleRate / 1000;
}

// Pulls the synthesizer's sound into the file up to a time, in blocks.
class WaveStream {
 public:
  WaveStream(RenderingMidiOut& synth, AtomicFileWriter& file) : synth_(synth), file_(file) {}
  void RenderUntil(std::int64_t ms) {
    const std::int64_t target = FramesAt(ms);
    while (frames_done_ < target) {
      const auto frames = static_cast<int>(std::min<std::int64_t>(kBlock, target - frames_done_));
      synth_.Render(frames, buffer_.data());
      file_.Write(buffer_.data(), static_cast<std::size_t>(frames) * 2 * sizeof(std::int16_t));
      frames_done_ += frames;
    }
  }

 private:
  static constexpr int kBlock = 4096;
  RenderingMidiOut& synth_;
  AtomicFileWriter& file_;
  std::vector<std::int16_t> buffer_ = std::vector<std::int16_t>(kBlock * 2);
  std::int64_t frames_done_ = 0;
};

}  // namespace

std::optional<std::string> RenderWaveFile(PlayerState& state, int bank, const std::string& path) {
  const std::int64_t total_ms = PlaybackEngine::PassLengthMs(state) + kRenderTailMs;
  if (total_ms > kLongestRenderMs) return "the performance is longer than two hours";
  std::string error;
  auto synth = LoadRenderingSynth("", kRenderSampleRate, &error);
  if (!synth) return "the built-in synthesizer cannot start: " + error;

  AtomicFileWriter file(path);
  if (!file.Good()) return "cannot write " + path;
  const std::string header =
      WaveHeader(static_cast<std::uint32_t>(FramesAt(total_ms)), kRenderSampleRate);
  file.Write(header.data(), header.size());

  WaveStream stream(*synth, file);
  MidiMode midi(state, *synth);
  midi.OpenMidiOut(kMidiMapper);  // channel volumes, as when the player opens its device
  midi.SendProgramOnChannels(bank, std::max(0, state.midi.SelectedProgram));
  midi.SendModulation();
  PlayPerformanceOffline(state, midi, [&](std::int64_t ms) { stream.RenderUntil(ms); });
  stream.RenderUntil(total_ms);
  if (!file.Good() || !file.Commit()) return "cannot write " + path;
  return std::nullopt;
}

}  // namespace kirivane
