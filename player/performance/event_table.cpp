#include "player/performance/event_table.h"

#include <algorithm>
#include <limits>

namespace kirivane {

void EventTable::Recreate(std::size_t size) {
  EvDelta.assign(size, 0);
  EvData.assign(size, 0);
  EvKind.assign(size, 0);
  EvVelocity.assign(size, 0);
  EvTimeMs.assign(size, 0);
}

void EventTable::Resize(std::size_t size) {
  EvDelta.resize(size);
  EvData.resize(size);
  EvKind.resize(size);
  EvVelocity.resize(size);
  EvTimeMs.resize(size);
  EventCount = std::min<std::int32_t>(EventCount, static_cast<std::int32_t>(size));
}

void EventTable::Set(std::size_t index, std::int32_t delta, std::int32_t data, int kind,
                     int velocity) {
  EvDelta[index] = delta;
  EvData[index] = data;
  EvKind[index] = static_cast<std::int16_t>(kind);
  EvVelocity[index] = static_cast<std::int16_t>(velocity);
}

void EventTable::Reserve(std::size_t size) {
  EvDelta.reserve(size);
  EvData.reserve(size);
  EvKind.reserve(size);
  EvVelocity.reserve(size);
  EvTimeMs.reserve(size);
}

void EventTable::Append(std::int32_t delta, std::int32_t data, int kind, int velocity) {
  EvDelta.push_back(delta);
  EvData.push_back(data);
  EvKind.push_back(static_cast<std::int16_t>(kind));
  EvVelocity.push_back(static_cast<std::int16_t>(velocity));
  EvTimeMs.push_back(0);
}

void EventTable::RecomputeTimes(int clock_time) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t sum = 0;
  for (std::size_t i = 0; i < Size(); ++i) {
    sum = std::clamp<std::int64_t>(sum + std::int64_t{EvDelta[i]} * clock_time, kMin, kMax);
    EvTimeMs[i] = static_cast<std::int32_t>(sum);
  }
}

}  // namespace kirivane
