#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "player/performance/performance_messages.h"
#include "player/state/player_state.h"

namespace kirivane {

inline constexpr int kMidiDivision = 480;     // ticks per quarter note of exported files
inline constexpr int kMaxMidiEndTime = 5000;  // longest silence added after the last event

// A gap of `ms` milliseconds in ticks at `tempo` beats per minute: tempo / 125 ticks per
// millisecond, rounded to the nearest tick; a fractional gap of at least one tick is written
// one tick longer. Negative gaps give 0; the result never exceeds the largest delta a file can
// hold (0x0FFFFFFF).
std::uint32_t MillisecondsToTicks(std::int64_t ms, int tempo);

// Appends the variable-length quantity of a MIDI file (7 bits a byte, most significant first);
// a value above 0x0FFFFFFF appends nothing. Returns the number of bytes appended.
std::size_t WriteVarLen(std::uint32_t value, std::vector<std::uint8_t>* out);

// Microseconds per quarter note for the tempo event: 60000000 / tempo rounded half to even.
std::uint32_t TempoMicroseconds(int tempo);

// The tempo the file is written with: the performance's, or 60 when it has none (an import of
// a file without a tempo event), and never so slow that its tempo event could not hold it.
int ExportTempo(int tempo);

// Text of the track's fixed text event: the program and version that wrote the file, for
// example "Kirivane (v4.0.2)".
std::string MidiFileSignature(const PlayerState& state);

// The whole Standard MIDI File (format 0, one track, 480 ticks per quarter) of the performance
// in memory: keyboard channel, instrument, modulation and the export tail come from `state`,
// `bank` is the bank-select option value of the window.
std::vector<std::uint8_t> BuildMidiFile(const PlayerState& state, int bank);

// Writes it to `path` through a temporary file renamed over the target. An export tail above
// 5000 ms is first set back to 5000 in the settings. Returns the message to show when the file
// could not be written.
std::optional<PerformanceMessage> WriteMidiFile(PlayerState& state, const std::string& path,
                                                int bank);

}  // namespace kirivane
