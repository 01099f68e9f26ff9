#pragma once

#include <cstdint>
#include <vector>

namespace kirivane {

// The program's short sounds, kept in memory under their resource numbers and played
// asynchronously; a new sound may cut off the one still playing. Sounds that cannot play (no
// audio output) stay silent: callers never wait for them or hear of a failure.
class Sounds {
 public:
  virtual ~Sounds() = default;
  // Keeps a sound for the whole run: 16-bit mono samples at sample_rate.
  virtual void AddSound(int resource, std::vector<std::int16_t> samples, int sample_rate) = 0;
  virtual void Play(int resource) = 0;
};

}  // namespace kirivane
