#include <gmock/gmock.h>

#include <algorithm>

#include "ProfileTestSupport.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ProfileSave = ProfileFileTest;

constexpr char kSaveMessage[] = "There was a problem saving the profile.  Please check file.";

TEST_F(ProfileSave, DefaultsGiveTheDefaultProfileByteForByte) {
  const std::string file = path("profile.psv");
  profile.SavePFile(file);

  EXPECT_EQ(readBytes(file), defaultProfileBytes());
  EXPECT_THAT(view.messages, IsEmpty());
  EXPECT_EQ(profile.currentfile(), file);
  EXPECT_THAT(view.captions, ElementsAre("Quorvane - " + file));
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(keyarray[38].outtype, u'K');
  // Only the profile is left in the folder: the temporary file became it.
  EXPECT_THAT(folderEntries(), ElementsAre("profile.psv"));
}

TEST_F(ProfileSave, ReplacesAnExistingFileWithoutAsking) {
  const std::string file = path("old.psv");
  writeBytes(file, "something much longer than nothing at all, to be replaced");
  profile.SavePFile(file);
  EXPECT_EQ(readBytes(file), defaultProfileBytes());
  EXPECT_THAT(view.messages, IsEmpty());
}

TEST_F(ProfileSave, WritesValuesInWindows1252WithQuotesDoubled) {
  texts.setText("Edit43", "Magnéto \"Off\", €");
  texts.setText("Edit48", "日本");
  const std::string file = path("p.psv");
  profile.SavePFile(file);
  const std::string bytes = readBytes(file);
  EXPECT_NE(bytes.find("\r\n8,\"Magn\xE9to \"\"Off\"\", \x80\",\"K\""), std::string::npos);
  EXPECT_NE(bytes.find("\r\n9,\"??\",\"K\""), std::string::npos);
}

TEST_F(ProfileSave, EmptyNameOpensNothingAndShowsTheBareMessage) {
  profile.SavePFile("");
  EXPECT_EQ(storage.starts, 0);
  EXPECT_THAT(view.messages, ElementsAre(kSaveMessage));
  EXPECT_THAT(view.captions, IsEmpty());
  EXPECT_EQ(rebuilds, 0);
}

TEST_F(ProfileSave, FailedRebuildKeepsTheFileAndNameButNotTheCaption) {
  const std::string first = path("first.psv");
  profile.SavePFile(first);
  texts.setText("Edit18", "");  // presses of "Master Battery"
  const std::string second = path("second.psv");
  profile.SavePFile(second);

  EXPECT_THAT(view.messages, ElementsAre(kSaveMessage + second));
  EXPECT_EQ(profile.currentfile(), second);
  EXPECT_THAT(view.captions, ElementsAre("Quorvane - " + first));
  const std::string bytes = readBytes(second);
  EXPECT_NE(bytes.find("\r\n13,\"Master Battery\",\"K\",\"N None\",\"0\",\"\",\"0\"\r\n"),
            std::string::npos);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 38);
}

// Every way the write can fail leaves the old profile byte for byte, names
// the file in the message and changes neither the name nor the caption.
class ProfileSaveFailure : public ProfileFileTest {
 protected:
  void expectOldFileKept() {
    const std::string file = path("profile.psv");
    writeBytes(file, kOld);
    profile.SavePFile(file);
    EXPECT_EQ(readBytes(file), kOld);
    EXPECT_THAT(view.messages, ElementsAre(kSaveMessage + file));
    EXPECT_EQ(profile.currentfile(), "");
    EXPECT_THAT(view.captions, IsEmpty());
    EXPECT_EQ(rebuilds, 0);
    EXPECT_THAT(folderEntries(), ElementsAre("profile.psv"));
  }
  static constexpr char kOld[] = "1,\"old\",\"K\",\"N None\",\"65\",\"1\",\"0\"\r\n";
};

TEST_F(ProfileSaveFailure, FirstWrite) {
  storage.failWrite = 1;
  expectOldFileKept();
}

TEST_F(ProfileSaveFailure, WriteInTheMiddle) {
  storage.failWrite = 20;
  expectOldFileKept();
}

TEST_F(ProfileSaveFailure, LastWrite) {
  storage.failWrite = 38;
  expectOldFileKept();
}

TEST_F(ProfileSaveFailure, PuttingTheFileInPlace) {
  storage.failCommit = true;
  expectOldFileKept();
}

TEST_F(ProfileSaveFailure, CannotStart) {
  storage.failStart = true;
  expectOldFileKept();
}

TEST_F(ProfileSave, IntoAMissingFolderFails) {
  const std::string file = path("missing/p.psv");
  profile.SavePFile(file);
  EXPECT_THAT(view.messages, ElementsAre(kSaveMessage + file));
  EXPECT_EQ(profile.currentfile(), "");
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(ProfileSave, OntoAFolderFailsAndLeavesIt) {
  fs::create_directory(dir / "taken.psv");
  const std::string file = path("taken.psv");
  profile.SavePFile(file);
  EXPECT_THAT(view.messages, ElementsAre(kSaveMessage + file));
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_THAT(folderEntries(), ElementsAre("taken.psv"));
}

TEST_F(ProfileSave, OverAReadOnlyProfileLeavesItAsItWas) {
  const std::string file = path("profile.psv");
  writeBytes(file, "old");
  fs::permissions(file, fs::perms::owner_read);
  if (std::ofstream(file, std::ios::app).is_open()) {
    GTEST_SKIP() << "this user writes to read-only files (root), so the file cannot fail";
  }
  profile.SavePFile(file);
  EXPECT_EQ(readBytes(file), "old");
  EXPECT_THAT(view.messages, ElementsAre(kSaveMessage + file));
  EXPECT_THAT(folderEntries(), ElementsAre("profile.psv"));
}

TEST_F(ProfileSave, IntoAReadOnlyFolderWritesAWritableFileInPlace) {
  const std::string file = path("profile.psv");
  writeBytes(file, "old");
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  {
    std::ofstream probe(dir / "probe");
    if (probe.is_open()) {
      GTEST_SKIP() << "this user writes into read-only folders (root), so the folder cannot fail";
    }
  }
  profile.SavePFile(file);
  EXPECT_EQ(readBytes(file), defaultProfileBytes());
  EXPECT_THAT(view.messages, IsEmpty());
}

}  // namespace
}  // namespace qv::test
