#include "programs/kirivane-convert/wave_render.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "platform/midi/builtin_synth.h"
#include "player/midi/midi_mode.h"
#include "player/midi/midi_out.h"
#include "player/performance/offline_playback.h"
#include "player/performance/wave_header.h"

namespace kirivane {

namespace {

// The built-in synthesizer as a MIDI device that never fails to open.
class SynthOut : public MidiOut {
 public:
  explicit SynthOut(BuiltinSynth& synth) : synth_(synth) {}
  std::vector<std::string> DeviceNames() override { return {kBuiltinSynthName}; }
  int Open(int) override { return 0; }
  bool IsOpen() const override { return true; }
  void SendShort(std::uint32_t packed) override { synth_.SendShort(packed); }
  void SendLong(const std::vector<std::uint8_t>& bytes) override { synth_.SendLong(bytes); }
  void Reset() override { synth_.Reset(); }
  void Close() override {}
  std::string ErrorText(int) override { return {}; }

 private:
  BuiltinSynth& synth_;
};

std::int64_t FramesAt(std::int64_t ms) {
  return ms * kRenderSampleRate / 1000;
}

// Writes the sound as it is rendered into a temporary file; Commit renames it over the target.
class WaveStream {
 public:
  explicit WaveStream(const std::string& path) : target_(path) {
    std::random_device random;
    temporary_ = target_.parent_path() /
                 ("." + target_.filename().string() + ".tmp" + std::to_string(random() % 1000000));
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
  }
  ~WaveStream() {
    if (committed_) return;
    out_.close();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
  bool Good() const { return static_cast<bool>(out_); }
  void Write(const void* data, std::size_t bytes) {
    out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(bytes));
  }
  bool Commit() {
    out_.flush();
    out_.close();
    if (out_.fail()) return false;
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    committed_ = !error;
    return committed_;
  }

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::ofstream out_;
  bool committed_ = false;
};

}  // namespace

std::optional<std::string> RenderWaveFile(PlayerState& state, int bank, const std::string& path) {
  const std::int64_t total_ms = PerformanceLengthMs(state) + kRenderTailMs;
  if (total_ms > kLongestRenderMs) return "the performance is longer than two hours";
  std::string error;
  auto synth = BuiltinSynth::Create(kDefaultSoundFont, kRenderSampleRate, &error);
  if (!synth) return "the built-in synthesizer cannot start: " + error;

  WaveStream stream(path);
  if (!stream.Good()) return "cannot write " + path;
  const std::string header =
      WaveHeader(static_cast<std::uint32_t>(FramesAt(total_ms)), kRenderSampleRate);
  stream.Write(header.data(), header.size());

  std::vector<std::int16_t> buffer(4096 * 2);
  std::int64_t frames_done = 0;
  std::int64_t now_ms = 0;
  const auto render_until = [&](std::int64_t ms) {
    const std::int64_t target = FramesAt(ms);
    while (frames_done < target) {
      const int frames = static_cast<int>(std::min<std::int64_t>(4096, target - frames_done));
      synth->Render(frames, buffer.data());
      stream.Write(buffer.data(), static_cast<std::size_t>(frames) * 2 * sizeof(std::int16_t));
      frames_done += frames;
    }
  };

  SynthOut out(*synth);
  MidiMode midi(state, out);
  midi.OpenMidiOut(kMidiMapper);  // channel volumes, as when the player opens its device
  midi.SendProgramOnChannels(bank, std::max(0, state.midi.SelectedProgram));
  midi.SendModulation();
  PlayPerformanceOffline(state, midi, [&](std::int64_t gap) {
    now_ms += gap;
    render_until(now_ms);
  });
  render_until(total_ms);
  if (!stream.Good() || !stream.Commit()) return "cannot write " + path;
  return std::nullopt;
}

}  // namespace kirivane
