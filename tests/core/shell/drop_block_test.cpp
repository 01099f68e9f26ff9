#include "player/shell/drop_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kirivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A block with the usual header (list offset 20, everything else 0) and the given list.
Bytes WithList(const std::string& list) {
  const std::string block = std::string(1, '\x14') + std::string(19, '\0') + list;
  return Bytes(block.begin(), block.end());
}

TEST(DropBlock, ABuiltBlockReadsBackAndEveryMalformedOneIsRefused) {
  const Bytes block = BuildDropBlock("/home/a/song.lyr");
  EXPECT_EQ(block, WithList(std::string("/home/a/song.lyr\0\0\0", 19)));
  std::vector<std::string> files;
  ASSERT_EQ(ReadDropBlock(block, files), DropBlockError::kNone);
  EXPECT_EQ(files, std::vector<std::string>{"/home/a/song.lyr"});
  ASSERT_EQ(ReadDropBlock(BuildDropBlock(""), files), DropBlockError::kNone);
  EXPECT_TRUE(files.empty());  // only brings the player to the front
  ASSERT_EQ(ReadDropBlock(WithList(std::string("/a.lyr\0/b.mid\0\0", 15)), files),
            DropBlockError::kNone);
  EXPECT_EQ(files.size(), 2u);

  Bytes bad_offset = block;
  bad_offset[0] = 24;
  Bytes wide = block;
  wide[16] = 1;
  Bytes huge = WithList("/" + std::string(kDropBlockMaxBytes, 'a'));
  const std::vector<std::pair<Bytes, DropBlockError>> malformed{
      {Bytes(block.begin(), block.begin() + 20), DropBlockError::kTooShort},
      {Bytes{}, DropBlockError::kTooShort},
      {bad_offset, DropBlockError::kBadOffset},
      {wide, DropBlockError::kWideCharacters},
      {huge, DropBlockError::kTooLong},
      {WithList("/a.lyr"), DropBlockError::kUnterminated},
      {WithList(std::string("/a.lyr\0", 7)), DropBlockError::kUnterminated},
      {WithList("/" + std::string(kDropNameMaxBytes, 'a') + std::string(2, '\0')),
       DropBlockError::kNameTooLong},
      {WithList(std::string("/\xC3(.lyr\0\0", 9)), DropBlockError::kNotUtf8},
      {WithList(std::string("song.lyr\0\0", 10)), DropBlockError::kRelativePath},
      {WithList(std::string("/a.lyr\0\0\0x", 10)), DropBlockError::kTrailingBytes},
  };
  for (const auto& [bytes, error] : malformed) {
    files = {"kept?"};
    EXPECT_EQ(ReadDropBlock(bytes, files), error) << bytes.size();
    EXPECT_TRUE(files.empty());
  }
}

TEST(DropBlock, OnlyAFirstPerformanceOrMidiFileIsOpened) {
  AppState app;
  app.OpenFile = "before";
  EXPECT_FALSE(TakeDroppedFile({}, app));  // a drop without files changes nothing
  EXPECT_EQ(app.OpenFile, "before");
  EXPECT_EQ(app.OpenPending, 0);
  EXPECT_FALSE(TakeDroppedFile({"/a/notes.txt", "/a/b.lyr"}, app));
  EXPECT_EQ(app.OpenFile, "");
  EXPECT_EQ(app.OpenPending, 0);
  EXPECT_TRUE(TakeDroppedFile({"/a/SONG.MIDI", "/a/b.txt", "/a/c.txt"}, app));
  EXPECT_EQ(app.OpenFile, "/a/SONG.MIDI");
  EXPECT_EQ(app.OpenPending, -1);
  EXPECT_TRUE(TakeDroppedFile({"/a/take.Lyr"}, app));
  EXPECT_TRUE(TakeDroppedFile({"/a/take.mid"}, app));
}

}  // namespace
}  // namespace kirivane
