#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "common/basic/sounds.h"

class QAudioSink;
class QBuffer;

namespace kirivane {

// Plays the program's short sounds from memory through Qt Multimedia, asynchronously; a new
// sound cuts off the one still playing. Without an audio output (or without Qt Multimedia) it
// stays silent.
class SoundPlayer : public Sounds {
 public:
  SoundPlayer();
  ~SoundPlayer() override;
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  void AddSound(int resource, std::vector<std::int16_t> samples, int sample_rate) override;
  void Play(int resource) override;

 private:
  struct Sound {
    std::vector<std::int16_t> samples;
    int sample_rate = 0;
  };
  std::map<int, Sound> sounds_;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QBuffer> buffer_;
};

}  // namespace kirivane
