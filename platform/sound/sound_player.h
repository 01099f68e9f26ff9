#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "common/basic/sounds.h"

namespace kirivane {

// What the module kirivane-sounds.so gives: one mono 16-bit sound played asynchronously from
// memory (copied) through Qt Multimedia; a new sound cuts off the one still playing.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void Play(const std::int16_t* samples, std::size_t count, int sample_rate) = 0;
};
inline constexpr char kSoundsModuleFile[] = "kirivane-sounds.so";
inline constexpr char kSoundOutputEntry[] = "KirivaneCreateSoundOutput";
using CreateSoundOutputFunction = SoundOutput* (*)();

// Plays the program's short sounds. Qt Multimedia and the audio libraries behind it are loaded
// with the sounds module when the first sound plays, not at the start. Without the module or
// an audio output it stays silent.
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
  bool output_tried_ = false;
  std::unique_ptr<SoundOutput> output_;
};

}  // namespace kirivane
