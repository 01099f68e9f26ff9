#include "player/app/sound_waves.h"

#include <cmath>
#include <numbers>

namespace kirivane {

namespace {

// A tone gliding from start_hz to end_hz, with a short attack and an exponential decay.
void AddTone(std::vector<std::int16_t>& out, double start_hz, double end_hz, double seconds,
             double amplitude, double decay_per_second) {
  const int count = static_cast<int>(seconds * kSoundSampleRate);
  double phase = 0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kSoundSampleRate;
    const double hz = start_hz + (end_hz - start_hz) * (static_cast<double>(i) / count);
    phase += 2 * std::numbers::pi * hz / kSoundSampleRate;
    const double attack = std::min(1.0, i / (0.002 * kSoundSampleRate));
    const double envelope = attack * std::exp(-decay_per_second * t);
    out.push_back(
        static_cast<std::int16_t>(std::lround(32767 * amplitude * envelope * std::sin(phase))));
  }
}

void AddSilence(std::vector<std::int16_t>& out, double seconds) {
  out.insert(out.end(), static_cast<std::size_t>(seconds * kSoundSampleRate), 0);
}

}  // namespace

std::vector<std::int16_t> SoundSamples(int resource) {
  std::vector<std::int16_t> samples;
  switch (resource) {
    case 101:  // error: two falling notes
      AddTone(samples, 880, 880, 0.09, 0.5, 8);
      AddSilence(samples, 0.02);
      AddTone(samples, 622, 600, 0.14, 0.5, 8);
      break;
    case 102:  // tick of the metronome
      AddTone(samples, 1200, 1100, 0.03, 0.6, 120);
      break;
    case 103:  // accent on the first beat
      AddTone(samples, 1800, 1650, 0.045, 0.7, 80);
      break;
    case 104:  // a panel sliding open
      AddTone(samples, 300, 900, 0.12, 0.35, 10);
      break;
    case 105:  // a button click
      AddTone(samples, 2600, 1800, 0.012, 0.6, 300);
      break;
    default:
      break;
  }
  return samples;
}

void AddPlayerSounds(Sounds& sounds) {
  for (int resource = kFirstSound; resource <= kLastSound; ++resource) {
    sounds.AddSound(resource, SoundSamples(resource), kSoundSampleRate);
  }
}

}  // namespace kirivane
