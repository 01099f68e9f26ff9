#pragma once

#include <cstdint>
#include <string>

namespace kirivane {

// Sound files the converter writes: 16-bit stereo PCM.
inline constexpr int kWaveChannels = 2;
inline constexpr int kWaveBytesPerSample = 2;

// The 44-byte RIFF/WAVE header of `frames` stereo 16-bit frames at `sample_rate`.
std::string WaveHeader(std::uint32_t frames, int sample_rate);

}  // namespace kirivane
