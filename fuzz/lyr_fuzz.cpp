// libFuzzer target: the ".lyr" reader, and the writers fed with whatever it accepts.
// Built and run by tests/e2e/fuzz_test.sh (clang++ -fsanitize=fuzzer,address).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "player/performance/performance_file.h"
#include "player/smf/midi_reader.h"
#include "player/smf/midi_writer.h"
#include "player/state/player_state.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckTable(const kirivane::EventTable& table) {
  Check(table.EventCount >= 0);
  Check(static_cast<std::size_t>(table.EventCount) <= table.Size());
  Check(table.EvData.size() == table.Size() && table.EvKind.size() == table.Size() &&
        table.EvVelocity.size() == table.Size() && table.EvTimeMs.size() == table.Size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirivane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PlayerState state;
  state.performance.FileFormatVer = size > 0 && (data[0] & 1) ? 2 : 1;
  state.events.Recreate(3);
  state.events.EventCount = 2;
  const EventTable before = state.events;
  const PerformanceLoad load = LoadPerformanceBytes(state, bytes);
  CheckTable(state.events);
  if (!load.replaced) {
    Check(state.events == before);  // a refused file or one without events changes nothing
    return 0;
  }
  // What was read is written back and reads to the same table.
  PlayerState again;
  again.performance.FileFormatVer = state.performance.FileFormatVer;
  const PerformanceLoad reload = LoadPerformanceBytes(again, FormatPerformanceFile(state, 0));
  Check(!reload.error && reload.replaced);
  Check(again.events == state.events);
  // Any table the reader accepts exports to a file the importer can read safely.
  const std::vector<std::uint8_t> midi = BuildMidiFile(state, load.bank.value_or(0));
  const MidiImportResult imported = ReadMidiBytes(midi, MidiImportOptions{});
  CheckTable(imported.import.events);
  return 0;
}
