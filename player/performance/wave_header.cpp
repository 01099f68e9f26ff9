#include "player/performance/wave_header.h"

namespace kirivane {

namespace {

void Little(std::string* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string WaveHeader(std::uint32_t frames, int sample_rate) {
  const std::uint32_t block = kWaveChannels * kWaveBytesPerSample;
  const std::uint32_t data_bytes = frames * block;
  std::string out = "RIFF";
  Little(&out, 36 + data_bytes, 4);
  out += "WAVEfmt ";
  Little(&out, 16, 4);  // size of the format chunk
  Little(&out, 1, 2);   // PCM
  Little(&out, kWaveChannels, 2);
  Little(&out, static_cast<std::uint32_t>(sample_rate), 4);
  Little(&out, static_cast<std::uint32_t>(sample_rate) * block, 4);
  Little(&out, block, 2);
  Little(&out, kWaveBytesPerSample * 8, 2);
  out += "data";
  Little(&out, data_bytes, 4);
  return out;
}

}  // namespace kirivane
