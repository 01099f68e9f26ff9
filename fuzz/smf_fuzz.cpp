// libFuzzer target: the Standard MIDI File importer, and the exporter fed with its results.
// Built and run by tests/e2e/fuzz_test.sh (clang++ -fsanitize=fuzzer,address).
#include <cstdint>
#include <cstdlib>
#include <span>

#include "player/midi/midi_hooks.h"
#include "player/smf/midi_reader.h"
#include "player/smf/midi_writer.h"
#include "player/state/player_state.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirivane;
  MidiImportOptions options;
  // The last byte picks the import options, so the file itself stays a plain MIDI file.
  if (size > 0) {
    const std::uint8_t pick = data[size - 1];
    options.percussion = (pick & 1) != 0;
    options.read_ex = (pick >> 1) & 1;
    options.clock_time = 1 + ((pick >> 2) & 15);
    options.merge_tracks = (pick >> 6) & 1;
  }
  const MidiImportResult result = ReadMidiBytes(std::span(data, size), options);
  const EventTable& table = result.import.events;
  if (result.error) return 0;
  Check(table.EventCount >= 2);
  Check(static_cast<std::size_t>(table.EventCount) < table.Size());
  Check(table.EvKind[static_cast<std::size_t>(table.EventCount) - 1] == kEventEndMark);
  // An import exports to a file that imports again with its notes (the export adds a tail event
  // and closes held notes, so a nearly full import may not fit again).
  if (table.EventCount > kImportEventLimit - 256) return 0;
  PlayerState state;
  InstallMidiImport(state, result.import);
  MidiImportOptions channel_one;
  channel_one.channels = "1";
  const MidiImportResult again = ReadMidiBytes(BuildMidiFile(state, 0), channel_one);
  Check(!again.error);
  Check(again.import.events.EventCount >= table.EventCount);
  return 0;
}
