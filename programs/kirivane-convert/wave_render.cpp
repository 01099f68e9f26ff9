#include "programs/kirivane-convert/wave_render.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "common/basic/text_file.h"
#include "player/performance/offline_render.h"
#include "player/performance/playback_engine.h"
#include "player/performance/wave_header.h"
#include "platform/midi/synth_module.h"

namespace kirivane {

namespace {

// Synthesizers sharing a render: one a core, at most four.
int PartCount() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

std::int64_t FramesAt(std::int64_t ms) {
  return ms * kRenderSampleRate / 1000;
}

}  // namespace

std::optional<std::string> RenderWaveFile(PlayerState& state, int bank, const std::string& path) {
  if (PlaybackEngine::PassLengthMs(state) + kRenderTailMs > kLongestRenderMs) {
    return "the performance is longer than two hours";
  }
  std::vector<std::unique_ptr<RenderingMidiOut>> synths;
  std::vector<RenderingMidiOut*> parts;
  for (int i = 0; i < PartCount(); ++i) {
    std::string error;
    synths.push_back(LoadRenderingSynth("", kRenderSampleRate, &error));
    if (!synths.back()) return "the built-in synthesizer cannot start: " + error;
    parts.push_back(synths.back().get());
  }
  std::int64_t end_ms = 0;
  const std::vector<TimedMessage> messages = PerformanceMessages(state, bank, &end_ms);
  const std::int64_t total_frames = FramesAt(end_ms + kRenderTailMs);

  AtomicFileWriter file(path);
  if (!file.Good()) return "cannot write " + path;
  const std::string header =
      WaveHeader(static_cast<std::uint32_t>(total_frames), kRenderSampleRate);
  file.Write(header.data(), header.size());
  RenderParts(messages, parts, total_frames, kRenderSampleRate,
              [&](const std::int16_t* frames, std::size_t count) {
                file.Write(frames, count * 2 * sizeof(std::int16_t));
              });
  if (!file.Good() || !file.Commit()) return "cannot write " + path;
  return std::nullopt;
}

}  // namespace kirivane
