// Speed of the performance files: a full recording (32768 events) written and read as ".lyr"
// and exported as MIDI, and the import of a MIDI file of 65535 notes.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "fakes/test_paths.h"
#include "player/midi/midi_hooks.h"
#include "player/performance/performance_file.h"
#include "player/smf/midi_reader.h"
#include "player/smf/midi_writer.h"
#include "player/state/player_state.h"

namespace kirivane {
namespace {

// A full take: notes going on and off with gaps of a few hundred milliseconds, the damper
// pressed now and then, and the end mark.
PlayerState FullRecording() {
  PlayerState state;
  state.performance.FileFormatVer = 2;
  state.performance.ClockTime = 1;
  state.performance.Tempo = 120;
  state.performance.PerfTitle = "Benchmark";
  state.events.Recreate(kRecordingCapacity);
  for (int i = 0; i < kRecordingCapacity - 1; ++i) {
    const int kind = i % 50 == 0 ? kEventDamperDown : i % 50 == 25 ? kEventDamperUp : i % 2;
    const bool note = kind == kEventNoteOn || kind == kEventNoteOff;
    state.events.Set(i, (i * 37) % 400, note ? 36 + (i / 2) % 60 : 0, kind,
                     kind == kEventNoteOn ? 40 + i % 80 : 0);
  }
  state.events.Set(kRecordingCapacity - 1, 120, 60, kEventEndMark, 0);
  state.events.EventCount = kRecordingCapacity;
  return state;
}

// A format-0 file of `notes` note events on channel 1 with running status.
std::vector<std::uint8_t> MidiFileOfNotes(int notes) {
  std::vector<std::uint8_t> track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0x90};
  for (int i = 0; i < notes; ++i) {
    if (i > 0) WriteVarLen(static_cast<std::uint32_t>((i * 53) % 300), &track);
    track.push_back(static_cast<std::uint8_t>(40 + (i / 2) % 48));
    track.push_back(i % 2 ? 0 : static_cast<std::uint8_t>(30 + i % 90));
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd',  0,    0,   0,   6,   0,
                                    0,   0,   1,   0x01, 0xE0, 'M', 'T', 'r', 'k'};
  const auto n = static_cast<std::uint32_t>(track.size());
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back((n >> shift) & 0xFF);
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

class TempFolder {
 public:
  TempFolder() : path(testing::MakeTempDir("perf-bench")) {}
  ~TempFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

void BM_WriteLyr32768(benchmark::State& bench) {
  PlayerState state = FullRecording();
  TempFolder folder;
  for (auto _ : bench) {
    if (SavePerformanceFile(state, folder.path + "/take.lyr", 0)) bench.SkipWithError("write");
  }
  bench.SetItemsProcessed(bench.iterations() * state.events.EventCount);
}
BENCHMARK(BM_WriteLyr32768)->Unit(benchmark::kMillisecond);

void BM_ReadLyr32768(benchmark::State& bench) {
  PlayerState state = FullRecording();
  TempFolder folder;
  const std::string path = folder.path + "/take.lyr";
  SavePerformanceFile(state, path, 0);
  for (auto _ : bench) {
    PlayerState loaded;
    const PerformanceLoad load = LoadPerformanceFile(loaded, path);
    if (load.error || loaded.events.EventCount != kRecordingCapacity) bench.SkipWithError("read");
  }
  bench.SetItemsProcessed(bench.iterations() * kRecordingCapacity);
}
BENCHMARK(BM_ReadLyr32768)->Unit(benchmark::kMillisecond);

void BM_ExportMidi32768(benchmark::State& bench) {
  PlayerState state = FullRecording();
  TempFolder folder;
  for (auto _ : bench) {
    if (WriteMidiFile(state, folder.path + "/take.mid", 0)) bench.SkipWithError("write");
  }
  bench.SetItemsProcessed(bench.iterations() * state.events.EventCount);
}
BENCHMARK(BM_ExportMidi32768)->Unit(benchmark::kMillisecond);

void BM_ImportMidi65535(benchmark::State& bench) {
  const std::vector<std::uint8_t> file = MidiFileOfNotes(kImportEventLimit);
  for (auto _ : bench) {
    const MidiImportResult result = ReadMidiBytes(file, MidiImportOptions{});
    if (result.error || result.import.events.EventCount != kImportEventLimit + 1) {
      bench.SkipWithError("import");
    }
    benchmark::DoNotOptimize(result.import.events.EvDelta.data());
  }
  bench.SetItemsProcessed(bench.iterations() * kImportEventLimit);
  bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ImportMidi65535)->Unit(benchmark::kMillisecond);

void BM_ImportMidiFile65535(benchmark::State& bench) {
  const std::vector<std::uint8_t> file = MidiFileOfNotes(kImportEventLimit);
  TempFolder folder;
  const std::string path = folder.path + "/big.mid";
  const std::string bytes(file.begin(), file.end());
  std::FILE* out = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
  for (auto _ : bench) {
    PlayerState state;
    if (ReadMidiFile(state, path).result != 0) bench.SkipWithError("import");
  }
  bench.SetItemsProcessed(bench.iterations() * kImportEventLimit);
}
BENCHMARK(BM_ImportMidiFile65535)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kirivane
