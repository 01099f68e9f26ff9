#pragma once

#include <cstdint>
#include <vector>

#include "common/basic/sounds.h"

namespace kirivane {

// The player's five short sounds, by resource number: 101 error, 102 tick, 103 accent,
// 104 panel, 105 click. Drawn here as 16-bit mono samples rather than stored as files.
inline constexpr int kFirstSound = 101;
inline constexpr int kLastSound = 105;
inline constexpr int kSoundSampleRate = 22050;

// Samples of a sound; empty for any other number.
std::vector<std::int16_t> SoundSamples(int resource);

// Hands the five sounds to the device that plays them.
void AddPlayerSounds(Sounds& sounds);

}  // namespace kirivane
