// The capture device behind the MIDI mapper: the exact lines a black-box test reads.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "common/basic/text_file.h"
#include "fakes/test_paths.h"
#include "platform/midi/system_midi_out.h"
#include "player/midi/midi_mode.h"
#include "player/midi/sysex_messages.h"

namespace kirivane {
namespace {

class CaptureDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testing::MakeTempDir("kirivane-capture");
    log = dir + "/midi.log";
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // The log's lines without their time stamps; every line must end in CR LF.
  std::vector<std::string> LoggedBytes() {
    const auto contents = ReadFileBytes(log);
    EXPECT_TRUE(contents.has_value());
    std::vector<std::string> bytes;
    const std::regex line(R"(^(\d+) ([0-9A-F]{2}( [0-9A-F]{2})*)$)");
    std::size_t start = 0;
    while (start < contents->size()) {
      const std::size_t end = contents->find("\r\n", start);
      EXPECT_NE(end, std::string::npos) << "line without CR LF";
      if (end == std::string::npos) break;
      const std::string text = contents->substr(start, end - start);
      std::smatch match;
      EXPECT_TRUE(std::regex_match(text, match, line)) << text;
      bytes.push_back(match[2]);
      start = end + 2;
    }
    return bytes;
  }

  std::string dir;
  std::string log;
};

TEST_F(CaptureDeviceTest, MapperWritesEveryMessageAsOneLine) {
  SystemMidiOut out({kDefaultSoundFont, log, 44100});
  PlayerState state;
  MidiMode midi(state, out);
  ASSERT_EQ(midi.OpenMidiOut(kMidiMapper), 0);
  midi.KeyNoteOn(7 + 12);
  midi.SendBankProgram(8, 5, 1);
  midi.SendLong(GsResetMessage());
  midi.KeyNoteOff(7 + 12);
  out.SendShort(0xE0 | (0x00 << 8) | (0x40 << 16));
  out.Close();
  out.SendShort(0x00793C90);  // closed: nothing more is written
  EXPECT_THAT(
      LoggedBytes(),
      ::testing::ElementsAre("B0 07 40", "B0 07 40", "B9 07 40", "90 37 79", "B0 00 08", "B0 20 00",
                             "C0 05", "F0 41 10 42 12 40 00 7F 00 41 F7", "80 37 40", "E0 00 40"));

  // Opening again appends to the same log.
  ASSERT_EQ(out.Open(kMidiMapper), 0);
  out.SendShort(0x00003CD0);
  EXPECT_EQ(LoggedBytes().back(), "D0 3C");
}

TEST_F(CaptureDeviceTest, LinesCarryMillisecondsSinceOpenAndReachTheFileAtOnce) {
  const std::uint8_t note[3] = {0x90, 0x3C, 0x79};
  EXPECT_EQ(CaptureDevice::FormatLine(1520, note, 3), "1520 90 3C 79");
  CaptureDevice capture;
  ASSERT_TRUE(capture.Open(log, nullptr));
  capture.Write(note, 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  capture.Write(note, 2);
  // Still open: the lines are in the file already.
  const auto contents = ReadFileBytes(log);
  ASSERT_TRUE(contents.has_value());
  const auto lines = SplitLines(*contents);
  ASSERT_EQ(lines.size(), 2u);
  const long first = std::stol(lines[0]);
  const long second = std::stol(lines[1]);
  EXPECT_LT(first, 20);
  EXPECT_GE(second - first, 40);
  EXPECT_EQ(lines[1].substr(lines[1].find(' ')), " 90 3C");
}

TEST_F(CaptureDeviceTest, UnwritableLogIsADeviceErrorWithItsReason) {
  SystemMidiOut out({kDefaultSoundFont, dir + "/missing/midi.log", 44100});
  const int code = out.Open(kMidiMapper);
  EXPECT_NE(code, 0);
  EXPECT_FALSE(out.IsOpen());
  EXPECT_THAT(out.ErrorText(code), ::testing::HasSubstr("missing/midi.log"));
  EXPECT_EQ(out.Open(99), kMidiErrorBadDevice);
}

}  // namespace
}  // namespace kirivane
