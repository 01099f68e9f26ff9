#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kirivane {

// Events a recording may hold: the columns span indexes 0..kRecordingCapacity - 1 while a take
// runs, and the take stops when kRecordingEventLimit events are in.
inline constexpr std::int32_t kRecordingCapacity = 32768;
inline constexpr std::int32_t kRecordingEventLimit = 32767;

// The performance in memory: five parallel columns indexed by event number, and the number of
// events in use. The columns may be one longer than EventCount (a loaded file keeps an empty
// slot after its end mark); EventCount never exceeds their size.
struct EventTable {
  std::vector<std::int32_t> EvDelta;     // ticks since the previous event
  std::vector<std::int32_t> EvData;      // note number; 60 for the end mark; 0 for the damper
  std::vector<std::int16_t> EvKind;      // kEventNoteOff .. kEventDamperDown
  std::vector<std::int16_t> EvVelocity;  // velocity of a note-on, else 0
  std::vector<std::int32_t> EvTimeMs;    // running sum of EvDelta x ClockTime
  std::int32_t EventCount = 0;

  std::size_t Size() const { return EvDelta.size(); }
  // Index of the last slot of the columns, -1 when they are empty.
  std::int32_t UpperIndex() const { return static_cast<std::int32_t>(Size()) - 1; }
  // Re-creates the columns with `size` zeroed slots, or resizes them keeping their content.
  void Recreate(std::size_t size);
  void Resize(std::size_t size);
  void Set(std::size_t index, std::int32_t delta, std::int32_t data, int kind, int velocity);
  // Room for `size` slots without making them (for a table built with Append).
  void Reserve(std::size_t size);
  // A new last slot; its EvTimeMs is 0 until RecomputeTimes.
  void Append(std::int32_t delta, std::int32_t data, int kind, int velocity);
  // EvTimeMs[i] = sum of EvDelta[0..i] x clock_time for every slot, saturating at the 32-bit
  // range so that absurd deltas from a file cannot overflow.
  void RecomputeTimes(int clock_time);

  bool operator==(const EventTable&) const = default;
};

}  // namespace kirivane
