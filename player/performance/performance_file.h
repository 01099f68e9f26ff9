#pragma once

#include <optional>
#include <string>

#include "player/performance/performance_messages.h"
#include "player/state/player_state.h"

namespace kirivane {

struct PerformanceLoad {
  // Set when the file was refused; the performance in memory is then unchanged.
  std::optional<PerformanceMessage> error;
  // Whether the file held events and now is the performance in memory. A file without event
  // text leaves the performance (and its clock) as it was.
  bool replaced = false;
  // "#BKS=" of the file, for the bank-select option of the window.
  std::optional<int> bank;
};

// Reads a ".lyr" file into the performance in memory. The header's instrument and modulation
// go into the MIDI state (modulation 0 when the file names none); the caller sends them.
PerformanceLoad LoadPerformanceFile(PlayerState& state, const std::string& path);
// The same from the bytes of a file.
PerformanceLoad LoadPerformanceBytes(PlayerState& state, std::string_view bytes);

// The ".lyr" text of the performance in memory, lines ended by CR LF. `bank` is the
// bank-select option value of the window.
std::string FormatPerformanceFile(const PlayerState& state, int bank);

// Writes the performance in memory to `path` through a temporary file renamed over it, so a
// failed write leaves any old file intact. Returns the message to show when the file could not
// be written.
std::optional<PerformanceMessage> WritePerformanceFile(const PlayerState& state,
                                                       const std::string& path, int bank);
// The save command: refreshes EvTimeMs and PerformanceData, then writes the file.
std::optional<PerformanceMessage> SavePerformanceFile(PlayerState& state, const std::string& path,
                                                      int bank);

// Message for a file that could not be opened, read or written.
PerformanceMessage FileAccessMessage(const std::string& path, bool writing);

}  // namespace kirivane
