#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kirivane {

// Why the events of a Standard MIDI File could not be read.
enum class SmfFault { kNone, kTruncated, kBadVarLen, kNoStatus, kBadDataByte, kBadStatus, kFull };
const char* SmfFaultText(SmfFault fault);

inline constexpr std::uint8_t kSmfMeta = 0xFF;
inline constexpr std::uint8_t kSmfEndOfTrack = 0x2F;

// One event of a track as read: a channel message with its data bytes, or a system-exclusive
// message or meta event with its contents.
struct SmfEvent {
  std::uint64_t delta = 0;  // ticks since the previous event
  std::uint8_t status = 0;  // 80..EF a channel message, F0 or F7 system exclusive, FF meta
  std::uint8_t type = 0;    // type of a meta event
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;               // the second data byte, when the message has one
  std::span<const std::uint8_t> bytes;  // contents of a meta or system-exclusive event
};

// Where a track chunk's events lie in the file: [begin, end). `cut` when the chunk's length
// promises more than the file holds.
struct TrackChunk {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool cut = false;
};

// Reads the events of one track chunk in order, keeping the track's running status. Never
// reads outside the chunk. The End of Track event is the last one returned.
class TrackEventReader {
 public:
  TrackEventReader(std::span<const std::uint8_t> bytes, const TrackChunk& chunk);
  // The next event; false at the end of the track or on a fault (see Fault).
  bool Next(SmfEvent* event);
  // kTruncated also when the file ended before the chunk's length without End of Track.
  SmfFault Fault() const { return fault_; }

 private:
  bool Take(std::uint8_t* byte);
  bool TakeData(std::uint8_t* byte);
  bool VarLen(std::uint32_t* value);
  bool Contents(std::uint32_t length, SmfEvent* event);
  bool Fail(SmfFault fault) {
    fault_ = fault;
    return false;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_;
  std::size_t end_;
  bool cut_;
  bool ended_ = false;
  std::uint8_t running_ = 0;
  SmfFault fault_ = SmfFault::kNone;
};

// The events of several tracks as one timeline, by absolute time; at equal times the events of
// a lower-numbered track come first and each track keeps its own order. Deltas count from the
// previous event of the timeline. Every track's End of Track is dropped and one End of Track
// closes the timeline at the time of the latest. Tempo events are ordinary events of the
// timeline, so they apply across tracks from where they stand.
SmfFault MergeTracks(std::span<const std::uint8_t> bytes, const std::vector<TrackChunk>& chunks,
                     std::vector<SmfEvent>* timeline);

}  // namespace kirivane
