#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class QAudioSink;
class QBuffer;

namespace kirivane {

// Plays the player's short sounds from memory, asynchronously; a new sound cuts off the one
// still playing. Without an audio output (or without Qt Multimedia) it stays silent.
class SoundPlayer {
 public:
  SoundPlayer();
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Keeps the samples of the resources first..last for the whole run.
  void Load(int first, int last);
  void Play(int resource);

 private:
  std::map<int, std::vector<std::int16_t>> sounds_;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QBuffer> buffer_;
};

}  // namespace kirivane
