#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "player/performance/event_table.h"
#include "player/performance/performance_messages.h"
#include "player/state/player_state.h"

namespace kirivane {

// Most notes one import stores; the table then holds them and the end mark.
inline constexpr std::int32_t kImportEventLimit = 65535;

struct MidiImportOptions {
  std::string channels = "1,2,3,4,5,6,7,8,9,11,12,13,14,15,16";  // channels to read, 1..16
  bool percussion = false;    // the percussion set is in use: the selection is inverted
  int read_ex = 0;            // 1: velocities scaled by the channel's controllers 7 and 43
  int clock_time = 1;         // ms per tick of the imported performance
  bool merge_tracks = false;  // a format-1 file is read with its tracks merged, not refused
};

// What a format-0 file (or a merged format-1 file) holds for the player.
struct MidiImport {
  EventTable events;      // the notes and the end mark, with one empty slot after it
  int Tempo = 0;          // from the first non-zero tempo event; 0 when there is none
  std::string PerfTitle;  // UTF-8
  std::string PerfAuthor;
  std::string TextEvent;
  int FirstProgram = 0;  // 0 = none, else the first program of a read channel + 1
  std::int32_t TempoMicros = 1000000;
  std::int32_t TotalTicks = 0;
};

struct MidiImportResult {
  MidiImport import;
  std::optional<PerformanceMessage> error;  // set when nothing may be installed
};

// Channels 1..16 chosen by a list such as "1,2,3"; inverted for the percussion set.
std::array<bool, 16> SelectedImportChannels(std::string_view list, bool percussion);

// Reads the bytes of a Standard MIDI File. Never reads outside `bytes`; a damaged or hostile
// file gives an error, and so does a file without a note on the chosen channels.
MidiImportResult ReadMidiBytes(std::span<const std::uint8_t> bytes,
                               const MidiImportOptions& options);

// Import options from the settings and the state of the player.
MidiImportOptions ImportOptionsOf(const PlayerState& state);

// Replaces the performance in memory by the import. The imported velocities are real, so the
// performance is of format version 2 from now on.
void InstallMidiImport(PlayerState& state, MidiImport import);

struct MidiFileRead {
  int result = 1;  // 0: the performance in memory is the file's; 1: nothing changed
  std::optional<PerformanceMessage> error;
};

// Reads a file and installs it; on any failure the performance in memory stays as it was.
MidiFileRead ReadMidiFile(PlayerState& state, const std::string& path);

}  // namespace kirivane
