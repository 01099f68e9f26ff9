#include "player/smf/track_events.h"

#include <algorithm>

namespace kirivane {

const char* SmfFaultText(SmfFault fault) {
  switch (fault) {
    case SmfFault::kTruncated:
      return "the file ends inside an event or a track";
    case SmfFault::kBadVarLen:
      return "a variable-length number is longer than four bytes";
    case SmfFault::kNoStatus:
      return "a track starts with a data byte";
    case SmfFault::kBadDataByte:
      return "a data byte is above 127";
    case SmfFault::kBadStatus:
      return "an event has an unknown status byte";
    case SmfFault::kFull:
      return "the file has more than 65535 notes";
    case SmfFault::kNone:
      break;
  }
  return "";
}

TrackEventReader::TrackEventReader(std::span<const std::uint8_t> bytes, const TrackChunk& chunk)
    : bytes_(bytes),
      position_(chunk.begin),
      end_(std::min(chunk.end, bytes.size())),
      cut_(chunk.cut) {}

bool TrackEventReader::Take(std::uint8_t* byte) {
  if (position_ >= end_) return Fail(SmfFault::kTruncated);
  *byte = bytes_[position_++];
  return true;
}

bool TrackEventReader::TakeData(std::uint8_t* byte) {
  if (!Take(byte)) return false;
  return *byte <= 0x7F || Fail(SmfFault::kBadDataByte);
}

// At most four bytes, the last with bit 7 clear.
bool TrackEventReader::VarLen(std::uint32_t* value) {
  *value = 0;
  for (int i = 0; i < 4; ++i) {
    std::uint8_t byte = 0;
    if (!Take(&byte)) return false;
    *value = (*value << 7) | (byte & 0x7Fu);
    if ((byte & 0x80) == 0) return true;
  }
  return Fail(SmfFault::kBadVarLen);
}

bool TrackEventReader::Contents(std::uint32_t length, SmfEvent* event) {
  if (length > end_ - position_) return Fail(SmfFault::kTruncated);
  event->bytes = bytes_.subspan(position_, length);
  position_ += length;
  return true;
}

bool TrackEventReader::Next(SmfEvent* event) {
  if (ended_ || fault_ != SmfFault::kNone) return false;
  if (position_ >= end_) return cut_ ? Fail(SmfFault::kTruncated) : false;
  *event = SmfEvent{};
  std::uint32_t value = 0;
  if (!VarLen(&value)) return false;
  event->delta = value;
  if (!Take(&event->status)) return false;
  if (event->status == kSmfMeta) {
    if (!Take(&event->type) || !VarLen(&value) || !Contents(value, event)) return false;
    ended_ = event->type == kSmfEndOfTrack;
    return true;
  }
  if (event->status == 0xF0 || event->status == 0xF7) {  // system exclusive, by its length
    return VarLen(&value) && Contents(value, event);
  }
  if (event->status >= 0xF0) return Fail(SmfFault::kBadStatus);
  if (event->status >= 0x80) {
    running_ = event->status;
    if (!TakeData(&event->data1)) return false;
  } else {
    if (running_ == 0) return Fail(SmfFault::kNoStatus);
    event->data1 = event->status;
    event->status = running_;
  }
  const int kind = event->status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 || TakeData(&event->data2);
}

SmfFault MergeTracks(std::span<const std::uint8_t> bytes, const std::vector<TrackChunk>& chunks,
                     std::vector<SmfEvent>* timeline) {
  struct Timed {
    std::uint64_t at;
    SmfEvent event;
  };
  std::vector<Timed> all;
  std::uint64_t last_end = 0;
  for (const TrackChunk& chunk : chunks) {  // in track order, so ties keep it
    TrackEventReader reader(bytes, chunk);
    std::uint64_t at = 0;
    SmfEvent event;
    while (reader.Next(&event)) {
      at += event.delta;
      if (event.status == kSmfMeta && event.type == kSmfEndOfTrack) {
        last_end = std::max(last_end, at);
      } else {
        all.push_back({at, event});
      }
    }
    if (reader.Fault() != SmfFault::kNone) return reader.Fault();
  }
  std::stable_sort(all.begin(), all.end(),
                   [](const Timed& a, const Timed& b) { return a.at < b.at; });
  timeline->clear();
  timeline->reserve(all.size() + 1);
  std::uint64_t previous = 0;
  for (Timed& timed : all) {
    timed.event.delta = timed.at - previous;
    previous = timed.at;
    timeline->push_back(timed.event);
  }
  SmfEvent end;
  end.status = kSmfMeta;
  end.type = kSmfEndOfTrack;
  end.delta = std::max(last_end, previous) - previous;
  timeline->push_back(end);
  return SmfFault::kNone;
}

}  // namespace kirivane
