#include <gtest/gtest.h>

#include <filesystem>

#include "common/basic/path_kind.h"
#include "common/basic/sort_integers.h"
#include "common/basic/text_file.h"
#include "fakes/test_paths.h"

namespace kirivane {
namespace {

TEST(PathKind, TellsFilesFromFoldersAndNothing) {
  const std::string dir = testing::MakeTempDir("kirivane-pathkind");
  ASSERT_TRUE(WriteFileAtomically(dir + "/a.keys", "x"));
  EXPECT_EQ(PathKind(dir + "/a.keys"), 1);
  EXPECT_EQ(PathKind(dir), 0);
  EXPECT_EQ(PathKind(dir + "/none.keys"), -1);
  EXPECT_EQ(PathKind(""), -1);
  EXPECT_TRUE(PathExists(dir));
  EXPECT_FALSE(PathExists(dir + "/none.keys"));
  std::filesystem::remove_all(dir);
}

TEST(SortIntegers, SortsTheRangeInPlaceAndLeavesTheRestAlone) {
  std::vector<std::int16_t> values{5, 3, 9, 3};
  SortIntegers(values, 0, 3);
  EXPECT_EQ(values, (std::vector<std::int16_t>{3, 3, 5, 9}));

  std::vector<std::int16_t> part{9, 8, 7, 6, 5, 4};
  SortIntegers(part, 1, 4);
  EXPECT_EQ(part, (std::vector<std::int16_t>{9, 5, 6, 7, 8, 4}));

  std::vector<std::int16_t> one{4, 2};
  SortIntegers(one, 1, 1);
  EXPECT_EQ(one, (std::vector<std::int16_t>{4, 2}));

  std::vector<std::int16_t> many;
  for (int i = 0; i < 200; ++i) many.push_back(static_cast<std::int16_t>((i * 7919) % 101 - 50));
  auto expected = many;
  std::sort(expected.begin(), expected.end());
  SortIntegers(many, 0, 199);
  EXPECT_EQ(many, expected);

  std::vector<std::int16_t> beyond{3, 1, 2};
  SortIntegers(beyond, -5, 10);  // held to the array, no access outside it
  EXPECT_EQ(beyond, (std::vector<std::int16_t>{1, 2, 3}));
}

}  // namespace
}  // namespace kirivane
