#pragma once

#include <optional>
#include <string>

#include "player/state/player_state.h"

namespace kirivane {

inline constexpr int kRenderSampleRate = 44100;
inline constexpr std::int64_t kRenderTailMs = 1000;                  // lets the last notes ring out
inline constexpr std::int64_t kLongestRenderMs = 2LL * 3600 * 1000;  // two hours

// Renders one playback pass of the performance in memory through the built-in synthesizer
// into a 16-bit stereo WAVE file, faster than real time. The file is written to a temporary
// file beside the target and renamed over it at the end, so nothing partial is ever left.
// Returns an error text on failure.
std::optional<std::string> RenderWaveFile(PlayerState& state, int bank, const std::string& path);

}  // namespace kirivane
