#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "player/performance/event_table.h"
#include "player/performance/performance_messages.h"

namespace kirivane {

// Clock of a file without a "#ClockTime=" line.
inline constexpr int kDefaultFileClockTime = 12;

// What a ".lyr" file says. Header values are set only when their key appears.
struct LoadedPerformance {
  int FileFormatVer = 1;
  int ClockTime = kDefaultFileClockTime;
  std::optional<int> Tempo;
  std::optional<std::string> PerfTitle;  // as the file holds it (not yet decoded)
  std::optional<std::string> PerfAuthor;
  std::optional<int> ListIndex;  // instrument list index, -1..127
  std::optional<int> Bank;       // bank-select option value
  std::optional<int> Modulation;
  std::optional<int> MidiToLyr;
  std::string PerformanceData;       // the event text
  std::optional<EventTable> events;  // absent when the file has no event text
};

struct LyrReadResult {
  LoadedPerformance performance;
  std::optional<PerformanceMessage> error;  // set when the file is refused
};

// Reads the bytes of a ".lyr" file. A file without "#FileFormatVer=" is read with
// `version_in_effect`; version-1 note-on and damper events get `play_velocity`.
LyrReadResult ReadPerformanceText(std::string_view bytes, int version_in_effect, int play_velocity);

struct ParsedEvents {
  std::optional<EventTable> events;  // absent for a text without a complete event
  std::optional<PerformanceMessage> error;
};

// Builds the event table from an event text: "delta:data:kind:velocity," per event. Whatever
// follows the last "," is not an event. The columns get one empty slot after the last event.
ParsedEvents ParsePerformanceData(std::string_view text, int version, int play_velocity,
                                  int clock_time);

// The read-error message with the number and description of the fault ("13 (Type mismatch)").
PerformanceMessage ReadErrorMessage(int number, const std::string& description,
                                    const std::string& detail);

}  // namespace kirivane
