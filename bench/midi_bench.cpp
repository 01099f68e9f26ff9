// One key press from KeyNoteOn to the device: note arithmetic, recording hand-off, packing and
// the device's own work.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/midi/builtin_synth.h"
#include "platform/midi/capture_device.h"
#include "platform/midi/system_midi_out.h"
#include "player/midi/midi_mode.h"

namespace kirivane {
namespace {

// A device that only keeps the last message, so the work cannot be optimised away.
class NullMidiOut : public MidiOut {
 public:
  std::vector<std::string> DeviceNames() override { return {"null"}; }
  int Open(int) override { return 0; }
  bool IsOpen() const override { return true; }
  void SendShort(std::uint32_t packed) override { last = packed; }
  void SendLong(const std::vector<std::uint8_t>&) override {}
  void Reset() override {}
  void Close() override {}
  std::string ErrorText(int) override { return {}; }
  std::uint32_t last = 0;
};

class CountingSink : public EventSink {
 public:
  void RecordEvent(int, int, int) override { ++events; }
  long events = 0;
};

void BM_KeyNoteOnNullDevice(benchmark::State& bench) {
  PlayerState state;
  NullMidiOut out;
  CountingSink sink;
  MidiMode midi(state, out);
  midi.SetEventSink(&sink);
  int key = 7;
  for (auto _ : bench) {
    midi.KeyNoteOn(key + 12);
    key = key == 43 ? 7 : key + 1;
    benchmark::DoNotOptimize(out.last);
  }
}
BENCHMARK(BM_KeyNoteOnNullDevice);

void BM_KeyNoteOnCaptureDevice(benchmark::State& bench) {
  const std::string log =
      (std::filesystem::temp_directory_path() / "kirivane-midi-bench.log").string();
  std::filesystem::remove(log);
  PlayerState state;
  SystemMidiOut out({kDefaultSoundFont, log, 44100});
  MidiMode midi(state, out);
  if (midi.OpenMidiOut(kMidiMapper) != 0) {
    bench.SkipWithError("capture log cannot be opened");
    return;
  }
  int key = 7;
  for (auto _ : bench) {
    midi.KeyNoteOn(key + 12);
    key = key == 43 ? 7 : key + 1;
  }
  out.Close();
  std::filesystem::remove(log);
}
BENCHMARK(BM_KeyNoteOnCaptureDevice);

// Note-on and note-off into FluidSynth, with the 64 frames (1.5 ms) of sound an audio driver
// would pull meanwhile, so that its event queue drains as it does live.
void BM_KeyPressAndReleaseBuiltinSynth(benchmark::State& bench) {
  std::string error;
  auto synth = BuiltinSynth::Create(kDefaultSoundFont, 44100, &error);
  if (!synth) {
    bench.SkipWithError(error.c_str());
    return;
  }
  std::int16_t frames[64 * 2];
  for (auto _ : bench) {
    synth->SendShort(0x00793C90);
    synth->SendShort(0x00403C80);
    synth->Render(64, frames);
    benchmark::DoNotOptimize(frames[0]);
  }
}
BENCHMARK(BM_KeyPressAndReleaseBuiltinSynth);

}  // namespace
}  // namespace kirivane
