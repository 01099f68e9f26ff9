#include "programs/kirivane-convert/wave_render.h"

#include <algorithm>
#include <vector>

#include "common/basic/text_file.h"
#include "platform/midi/builtin_synth.h"
#include "platform/midi/offline_synth_out.h"
#include "player/midi/midi_mode.h"
#include "player/performance/offline_playback.h"
#include "player/performance/playback_engine.h"
#include "player/performance/wave_header.h"

namespace kirivane {

namespace {

std::int64_t FramesAt(std::int64_t ms) {
  return ms * kRenderSampleRate / 1000;
}

}  // namespace

std::optional<std::string> RenderWaveFile(PlayerState& state, int bank, const std::string& path) {
  const std::int64_t total_ms = PlaybackEngine::PassLengthMs(state) + kRenderTailMs;
  if (total_ms > kLongestRenderMs) return "the performance is longer than two hours";
  std::string error;
  auto synth = BuiltinSynth::Create(kDefaultSoundFont, kRenderSampleRate, &error);
  if (!synth) return "the built-in synthesizer cannot start: " + error;
  OfflineSynthOut out(std::move(synth));

  AtomicFileWriter stream(path);
  if (!stream.Good()) return "cannot write " + path;
  const std::string header =
      WaveHeader(static_cast<std::uint32_t>(FramesAt(total_ms)), kRenderSampleRate);
  stream.Write(header.data(), header.size());

  std::vector<std::int16_t> buffer(4096 * 2);
  std::int64_t frames_done = 0;
  const auto render_until = [&](std::int64_t ms) {
    const std::int64_t target = FramesAt(ms);
    while (frames_done < target) {
      const int frames = static_cast<int>(std::min<std::int64_t>(4096, target - frames_done));
      out.Render(frames, buffer.data());
      stream.Write(buffer.data(), static_cast<std::size_t>(frames) * 2 * sizeof(std::int16_t));
      frames_done += frames;
    }
  };

  MidiMode midi(state, out);
  midi.OpenMidiOut(kMidiMapper);  // channel volumes, as when the player opens its device
  midi.SendProgramOnChannels(bank, std::max(0, state.midi.SelectedProgram));
  midi.SendModulation();
  PlayPerformanceOffline(state, midi, render_until);
  render_until(total_ms);
  if (!stream.Good() || !stream.Commit()) return "cannot write " + path;
  return std::nullopt;
}

}  // namespace kirivane
