#include "common/basic/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/test_paths.h"

namespace kirivane {
namespace {

TEST(SplitLines, AcceptsCrLfAndLfAndKeepsAnUnendedLastLine) {
  EXPECT_EQ(SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(JoinLinesCrLf({"x", ""}), "x\r\n\r\n");
}

TEST(WriteFileAtomically, ReplacesTheTargetAndLeavesNoTemporaryFile) {
  namespace fs = std::filesystem;
  const std::string dir = testing::MakeTempDir("kirivane-textfile");
  const std::string path = dir + "/out.txt";
  ASSERT_TRUE(WriteFileAtomically(path, "old"));
  ASSERT_TRUE(WriteFileAtomically(path, "new\r\n"));
  EXPECT_EQ(ReadFileBytes(path).value(), "new\r\n");
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 1);
  fs::remove_all(dir);
}

TEST(WriteFileAtomically, FailsIntoAMissingFolderWithoutCreatingAnything) {
  EXPECT_FALSE(WriteFileAtomically("/nonexistent-kirivane-dir/x.txt", "data"));
  EXPECT_FALSE(ReadFileBytes("/nonexistent-kirivane-dir/x.txt").has_value());
}

TEST(AtomicFileWriter, PiecesReachTheTargetOnlyOnCommit) {
  namespace fs = std::filesystem;
  const std::string dir = testing::MakeTempDir("kirivane-textfile");
  const std::string path = dir + "/out.wav";
  ASSERT_TRUE(WriteFileAtomically(path, "old"));
  {
    AtomicFileWriter dropped(path);
    ASSERT_TRUE(dropped.Good());
    dropped.Write("half", 4);
  }  // no Commit: an interrupted render
  EXPECT_EQ(ReadFileBytes(path).value(), "old");
  {
    AtomicFileWriter file(path);
    file.Write("ab", 2);
    file.Write("cd", 2);
    EXPECT_TRUE(file.Commit());
    EXPECT_FALSE(file.Commit());  // the temporary file is gone
  }
  EXPECT_EQ(ReadFileBytes(path).value(), "abcd");
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kirivane
