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

TEST(WriteFileAtomically, KeepsPermissionsWritesThroughLinksAndLeavesReadOnlyFiles) {
  namespace fs = std::filesystem;
  const std::string dir = testing::MakeTempDir("kirivane-textfile");
  fs::create_directory(dir + "/real");
  const std::string target = dir + "/real/private.ini";
  ASSERT_TRUE(WriteFileAtomically(target, "old"));
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real/private.ini", dir + "/link.ini");  // relative to the link's folder

  ASSERT_TRUE(WriteFileAtomically(dir + "/link.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(dir + "/link.ini"));
  EXPECT_EQ(ReadFileBytes(target).value(), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(WriteFileAtomically(target, "lost"));
  EXPECT_FALSE(WriteFileAtomically(dir + "/link.ini", "lost"));
  EXPECT_EQ(ReadFileBytes(target).value(), "new");
  EXPECT_FALSE(WriteFileAtomically(dir + "/real", "a folder"));
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::recursive_directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 3);  // real/, real/private.ini, link.ini: no temporary file left
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kirivane
