#include "platform/sound/sound_player.h"

#include <string>

#include "platform/module_entry.h"

namespace kirivane {

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::AddSound(int resource, std::vector<std::int16_t> samples, int sample_rate) {
  sounds_[resource] = {std::move(samples), sample_rate};
}

void SoundPlayer::Play(int resource) {
  const auto found = sounds_.find(resource);
  if (found == sounds_.end() || found->second.samples.empty()) return;
  if (!output_tried_) {
    output_tried_ = true;
    std::string error;
    const auto create = reinterpret_cast<CreateSoundOutputFunction>(
        ProgramModuleEntry(kSoundsModuleFile, kSoundOutputEntry, &error));
    if (create != nullptr) output_.reset(create());
  }
  if (!output_) return;
  const Sound& sound = found->second;
  output_->Play(sound.samples.data(), sound.samples.size(), sound.sample_rate);
}

}  // namespace kirivane
