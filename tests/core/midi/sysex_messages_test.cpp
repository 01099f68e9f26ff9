#include "player/midi/sysex_messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kirivane {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(ResetMessages, HaveTheirExactBytes) {
  EXPECT_THAT(GmResetMessage(), ElementsAre(0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7));
  EXPECT_THAT(GsResetMessage(),
              ElementsAre(0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7));
  EXPECT_THAT(XgResetMessage(), ElementsAre(0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7));
  // The GS reset carries a valid checksum of its own.
  const auto gs = GsResetMessage();
  EXPECT_EQ(RolandChecksum(gs.data() + 5, gs.data() + 9), 0x41);
}

TEST(ScaleTuning, FlatPresetSendsTwelveCentresAndChecksum6F) {
  const auto message = ScaleTuningMessage(kTuningPresets[0]);
  ASSERT_EQ(message.size(), 22u);
  std::vector<std::uint8_t> expected{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x11, 0x40};
  expected.insert(expected.end(), 12, 0x40);
  expected.push_back(0x6F);
  expected.push_back(0xF7);
  EXPECT_THAT(message, ElementsAreArray(expected));
}

TEST(ScaleTuning, SignedValuesMissingValuesAndWrapping) {
  // "64" is +64 + 64 = 128, which keeps its low bits: 0; "-65" wraps to 127.
  const auto message = ScaleTuningMessage("-6 45 64 -65 2.5 x");
  EXPECT_THAT(std::vector<std::uint8_t>(message.begin() + 8, message.begin() + 20),
              ElementsAre(58, 109, 0, 127, 66, 64, 64, 64, 64, 64, 64, 64));
  int sum = 0x40 + 0x11 + 0x40;
  for (int i = 8; i < 20; ++i) sum += message[static_cast<std::size_t>(i)];
  EXPECT_EQ((sum + message[20]) % 128, 0);
  EXPECT_EQ(message[21], 0xF7);
}

TEST(ScaleTuning, EveryPresetHasAValidChecksumAndDataBytes) {
  for (auto preset : kTuningPresets) {
    const auto message = ScaleTuningMessage(preset);
    int sum = 0;
    for (int i = 5; i <= 20; ++i) {
      EXPECT_LT(message[static_cast<std::size_t>(i)], 0x80) << preset;
      sum += message[static_cast<std::size_t>(i)];
    }
    EXPECT_EQ(sum % 128, 0) << preset;
  }
  // The second preset: -6 45 -2 ... as offsets from 64.
  EXPECT_EQ(ScaleTuningMessage(kTuningPresets[1])[8], 58);
  EXPECT_EQ(ScaleTuningMessage(kTuningPresets[1])[19], 15);
}

TEST(TuningBox, KeepsOnlyDigitsPointAndBackspace) {
  EXPECT_TRUE(TuningKeyAccepted('7'));
  EXPECT_TRUE(TuningKeyAccepted('.'));
  EXPECT_TRUE(TuningKeyAccepted(8));
  EXPECT_FALSE(TuningKeyAccepted(' '));
  EXPECT_FALSE(TuningKeyAccepted('-'));
  EXPECT_FALSE(TuningKeyAccepted('a'));
}

}  // namespace
}  // namespace kirivane
