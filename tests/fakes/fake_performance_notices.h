#pragma once

#include <vector>

#include "player/performance/performance_messages.h"

namespace kirivane::testing {

// Keeps every message the recorder or the file code asked to show.
class FakePerformanceNotices : public PerformanceNotices {
 public:
  void ShowMessage(const PerformanceMessage& message) override { shown.push_back(message); }
  std::vector<PerformanceMessage> shown;
};

}  // namespace kirivane::testing
