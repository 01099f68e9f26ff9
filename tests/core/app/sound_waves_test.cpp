#include "player/app/sound_waves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "fakes/fake_sounds.h"

namespace kirivane {
namespace {

TEST(SoundWaves, FiveShortDistinctSoundsThatStartAndEndQuietly) {
  std::set<std::vector<std::int16_t>> seen;
  for (int resource = kFirstSound; resource <= kLastSound; ++resource) {
    const auto samples = SoundSamples(resource);
    ASSERT_FALSE(samples.empty()) << resource;
    EXPECT_LT(samples.size(), static_cast<std::size_t>(kSoundSampleRate / 2)) << resource;
    EXPECT_LT(std::abs(samples.front()), 2000) << resource;  // no click at the start
    const auto loudest = *std::max_element(samples.begin(), samples.end());
    EXPECT_GT(loudest, 3000) << resource;
    seen.insert(samples);
  }
  EXPECT_EQ(seen.size(), 5u);
  EXPECT_TRUE(SoundSamples(100).empty());
  EXPECT_TRUE(SoundSamples(106).empty());
  testing::FakeSounds device;
  AddPlayerSounds(device);
  ASSERT_EQ(device.added.size(), 5u);
  EXPECT_EQ(device.added.at(kFirstSound), SoundSamples(kFirstSound));
}

}  // namespace
}  // namespace kirivane
