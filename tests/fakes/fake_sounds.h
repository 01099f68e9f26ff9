#pragma once

#include <map>
#include <vector>

#include "common/basic/sounds.h"

namespace kirivane::testing {

// Keeps the sounds it was given and logs the ones played, in order.
class FakeSounds : public Sounds {
 public:
  void AddSound(int resource, std::vector<std::int16_t> samples, int) override {
    added[resource] = std::move(samples);
  }
  void Play(int resource) override { played.push_back(resource); }
  std::map<int, std::vector<std::int16_t>> added;
  std::vector<int> played;
};

}  // namespace kirivane::testing
