#include "platform/sound/output_volume.h"

#include <gtest/gtest.h>

namespace kirivane {
namespace {

TEST(OutputVolume, MutedIsSilentElseTheLoudestChannelCounts) {
  const char* stereo =
      "Volume: front-left: 0 /   0% / -inf dB,   front-right: 19661 /  30% / -31.37 dB\n"
      "        balance 1.00\n";
  EXPECT_EQ(OutputVolumeFromPactl("Mute: no\n", stereo), 30);
  EXPECT_EQ(OutputVolumeFromPactl("Mute: yes\n", stereo), 0);
  EXPECT_EQ(OutputVolumeFromPactl("Mute: no\n", "Volume: mono: 0 /   0% / -inf dB\n"), 0);
  EXPECT_EQ(OutputVolumeFromPactl("", "No such entity\n"), std::nullopt);
  // A number too long for any volume neither throws nor reads as silence.
  EXPECT_GT(OutputVolumeFromPactl("Mute: no\n", "front-left: 1 / 99999999999% / 0 dB"), 0);
}

// The real sound server, where there is one: its answer is a volume a server can hold.
TEST(OutputVolume, TheDesktopsServerAnswersWithAVolumeOrNotAtAll) {
  const auto volume = DefaultOutputVolume();
  if (!volume) GTEST_SKIP() << "no pactl or no sound server here";
  EXPECT_GE(*volume, 0);
  EXPECT_LE(*volume, 1000);
}

}  // namespace
}  // namespace kirivane
