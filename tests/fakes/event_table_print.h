#pragma once

#include <ostream>

#include "player/performance/event_table.h"

namespace kirivane {

// Lets GoogleTest show an event table as "delta:data:kind:velocity@time" items.
inline void PrintTo(const EventTable& table, std::ostream* os) {
  *os << "EventCount " << table.EventCount << ", " << table.Size() << " slots:";
  for (std::size_t i = 0; i < table.Size() && i < 64; ++i) {
    *os << " " << table.EvDelta[i] << ":" << table.EvData[i] << ":" << table.EvKind[i] << ":"
        << table.EvVelocity[i] << "@" << table.EvTimeMs[i];
  }
  if (table.Size() > 64) *os << " ...";
}

}  // namespace kirivane
