#include <gmock/gmock.h>

#include "ProfileTestSupport.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;

using FileReplacement = ProfileFileTest;

TEST_F(FileReplacement, KeepsThePermissionsOfTheOldFile) {
  FileReplacementStorage real;
  const fs::path file = dir / "p.psv";
  writeBytes(file, "old");
  const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file, mode);
  auto replacement = real.replace(file.string());
  ASSERT_NE(replacement, nullptr);
  ASSERT_TRUE(replacement->write("new"));
  ASSERT_TRUE(replacement->commit());
  EXPECT_EQ(fs::status(file).permissions(), mode);
}

TEST_F(FileReplacement, NamesWithoutAFileAreRefused) {
  FileReplacementStorage real;
  EXPECT_EQ(real.replace(""), nullptr);
  EXPECT_EQ(real.replace((dir / "").string()), nullptr);
  EXPECT_THAT(folderEntries(), ::testing::IsEmpty());
}

TEST_F(FileReplacement, Utf8NamesAreKept) {
  const std::string file = path("prófíl €.psv");
  profile.SavePFile(file);
  EXPECT_THAT(view.messages, ::testing::IsEmpty());
  EXPECT_THAT(folderEntries(), ElementsAre("prófíl €.psv"));
  profile.LoadFile(file);
  EXPECT_THAT(view.messages, ::testing::IsEmpty());
}

}  // namespace
}  // namespace qv::test
