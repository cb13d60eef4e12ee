#include <gmock/gmock.h>

#include <cstdint>
#include <optional>

#include "ProfileTestSupport.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

using FileReplacement = ProfileFileTest;

constexpr char kSaveMessage[] = "There was a problem saving the profile.  Please check file.";

bool save(ProfileStorage& storage, const fs::path& file, const std::string& bytes) {
  auto replacement = storage.replace(file.string());
  return replacement && replacement->write(bytes) && replacement->commit();
}

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

// A relative link to an absolute one: both kinds are followed, and the links
// stay links.
TEST_F(FileReplacement, SavesIntoTheFileALinkChainEndsAt) {
  FileReplacementStorage real;
  writeBytes(dir / "real.psv", "old");
  fs::create_symlink(dir / "real.psv", dir / "inner");
  fs::create_symlink("inner", dir / "outer.psv");
  ASSERT_TRUE(save(real, dir / "outer.psv", "new"));
  EXPECT_EQ(readBytes(dir / "real.psv"), "new");
  EXPECT_TRUE(fs::is_symlink(dir / "outer.psv"));
  EXPECT_TRUE(fs::is_symlink(dir / "inner"));
  EXPECT_THAT(folderEntries(), UnorderedElementsAre("real.psv", "inner", "outer.psv"));
}

TEST_F(FileReplacement, ADanglingLinkSavesToThePathItNames) {
  FileReplacementStorage real;
  fs::create_symlink("made.psv", dir / "link.psv");
  ASSERT_TRUE(save(real, dir / "link.psv", "new"));
  EXPECT_EQ(readBytes(dir / "made.psv"), "new");
  EXPECT_TRUE(fs::is_symlink(dir / "link.psv"));
}

TEST_F(FileReplacement, ALinkLoopIsRefused) {
  FileReplacementStorage real;
  fs::create_symlink("b", dir / "a");
  fs::create_symlink("a", dir / "b");
  EXPECT_EQ(real.replace((dir / "a").string()), nullptr);
}

TEST_F(FileReplacement, BothNamesOfAHardLinkSeeTheNewContent) {
  FileReplacementStorage real;
  writeBytes(dir / "one.psv", "a longer old content");
  fs::create_hard_link(dir / "one.psv", dir / "two.psv");
  ASSERT_TRUE(save(real, dir / "one.psv", "new"));
  EXPECT_EQ(readBytes(dir / "one.psv"), "new");
  EXPECT_EQ(readBytes(dir / "two.psv"), "new");
  EXPECT_EQ(fs::hard_link_count(dir / "one.psv"), 2U);
  EXPECT_THAT(folderEntries(), UnorderedElementsAre("one.psv", "two.psv"));
}

// The real files in a folder that may take no new file, on a disk that may
// hold only so many more bytes; every file's free room is counted alone.
// Each call is logged by name, and the one named `failing` fails.
struct Confinement {
  bool createsFiles = true;
  std::optional<std::uint64_t> freeBytes;
  std::string failing;
  std::vector<std::string> steps;

  bool take(const std::string& step) {
    steps.push_back(step);
    return step != failing;
  }
};

class ConfinedFileCalls final : public FileCalls {
 public:
  explicit ConfinedFileCalls(Confinement& limits) : limits_(limits) {}

  std::unique_ptr<OpenFile> create(const fs::path& path) override {
    if (!limits_.createsFiles) {
      return nullptr;
    }
    return confined(real_.create(path), 0);
  }
  std::unique_ptr<OpenFile> openExisting(const fs::path& path) override {
    return confined(real_.openExisting(path), fs::file_size(path));
  }
  bool replace(const fs::path& from, const fs::path& to) override {
    return limits_.take("replace") && real_.replace(from, to);
  }
  bool syncFolder(const fs::path& folder) override {
    return limits_.take("sync folder") && real_.syncFolder(folder);
  }

 private:
  class File final : public OpenFile {
   public:
    File(std::unique_ptr<OpenFile> real, std::optional<std::uint64_t> end, Confinement& limits)
        : real_(std::move(real)), end_(end), limits_(limits) {}
    std::optional<std::string> readAll() override { return real_->readAll(); }
    // Like the system, writes what fits before it fails.
    bool writeAt(std::uint64_t offset, std::string_view bytes) override {
      if (!limits_.take("write")) {
        return false;
      }
      if (end_ && offset + bytes.size() > *end_) {
        const std::uint64_t room = *end_ > offset ? *end_ - offset : 0;
        static_cast<void>(real_->writeAt(offset, bytes.substr(0, room)));
        return false;
      }
      return real_->writeAt(offset, bytes);
    }
    bool resize(std::uint64_t size) override {
      return (!end_ || size <= *end_) && real_->resize(size);
    }
    bool sync() override { return limits_.take("sync") && real_->sync(); }
    bool close() override { return real_->close(); }

   private:
    std::unique_ptr<OpenFile> real_;
    std::optional<std::uint64_t> end_;
    Confinement& limits_;
  };

  std::unique_ptr<OpenFile> confined(std::unique_ptr<OpenFile> real, std::uint64_t size) const {
    if (!real) {
      return nullptr;
    }
    std::optional<std::uint64_t> end;
    if (limits_.freeBytes) {
      end = size + *limits_.freeBytes;
    }
    return std::make_unique<File>(std::move(real), end, limits_);
  }

  Confinement& limits_;
  SystemFileCalls real_;
};

class ConfinedSave : public ProfileFileTest {
 protected:
  // Saves the default profile over a short old one.
  void saveOverOldFile() {
    writeBytes(file, kOld);
    confinedProfile.SavePFile(file);
  }
  void expectOldFileKept() {
    EXPECT_EQ(readBytes(file), kOld);
    EXPECT_THAT(view.messages, ElementsAre(kSaveMessage + file));
    EXPECT_EQ(confinedProfile.currentfile(), "");
    EXPECT_THAT(view.captions, IsEmpty());
  }

  void SetUp() override {
    ProfileFileTest::SetUp();
    file = path("profile.psv");
  }

  static constexpr char kOld[] = "1,\"old\",\"K\",\"N None\",\"65\",\"1\",\"0\"\r\n";
  std::string file;
  Confinement limits;
  FileReplacementStorage confinedStorage{std::make_unique<ConfinedFileCalls>(limits)};
  ProfileFile confinedProfile{texts,
                              [this] {
                                ++rebuilds;
                                populatekeyarray(keyarray, texts);
                              },
                              view, confinedStorage};
};

TEST_F(ConfinedSave, AReadOnlyFolderStillTakesAWritableFileInPlace) {
  limits.createsFiles = false;
  writeBytes(file, std::string(defaultProfileBytes().size() + 100, 'x'));
  confinedProfile.SavePFile(file);
  EXPECT_THAT(view.messages, IsEmpty());
  EXPECT_EQ(readBytes(file), defaultProfileBytes());
  EXPECT_EQ(confinedProfile.currentfile(), file);
}

TEST_F(ConfinedSave, AFullDiskLeavesTheOldFileAndNoTemporary) {
  limits.freeBytes = 300;
  saveOverOldFile();
  expectOldFileKept();
  EXPECT_THAT(folderEntries(), ElementsAre("profile.psv"));
}

TEST_F(ConfinedSave, AFullDiskPutsBackAHardLinkedFile) {
  limits.freeBytes = 300;
  writeBytes(file, kOld);
  fs::create_hard_link(file, dir / "other.psv");
  confinedProfile.SavePFile(file);
  expectOldFileKept();
  EXPECT_EQ(readBytes(dir / "other.psv"), kOld);
}

TEST_F(ConfinedSave, AFullDiskPutsBackAFileInAReadOnlyFolder) {
  limits.createsFiles = false;
  limits.freeBytes = 300;
  saveOverOldFile();
  expectOldFileKept();
}

// The bytes are on the disk before the new name replaces the old, and the
// folder's new entry after; no step's failure is taken for a save.
TEST_F(ConfinedSave, SyncsTheFileBeforeTheReplaceAndTheFolderAfter) {
  saveOverOldFile();
  EXPECT_THAT(limits.steps, ElementsAre("write", "sync", "replace", "sync folder"));
  EXPECT_EQ(readBytes(file), defaultProfileBytes());
  for (const char* step : {"write", "sync", "replace", "sync folder"}) {
    SCOPED_TRACE(step);
    limits.failing = step;
    view.messages.clear();
    confinedProfile.SavePFile(file);
    EXPECT_THAT(view.messages, ElementsAre(kSaveMessage + file));
    EXPECT_THAT(folderEntries(), ElementsAre("profile.psv"));
  }
  limits.failing = "sync";
  saveOverOldFile();
  EXPECT_EQ(readBytes(file), kOld) << "an unsynced file never replaces the old one";
}

// A name taken by a link that leads nowhere is never written through.
TEST_F(FileReplacement, CreatesOnlyFilesThatAreNotThereYet) {
  SystemFileCalls calls;
  fs::create_symlink(dir / "target.psv", dir / "planted");
  writeBytes(dir / "left.tmp", "left");
  EXPECT_EQ(calls.create(dir / "planted"), nullptr);
  EXPECT_EQ(calls.create(dir / "left.tmp"), nullptr);
  EXPECT_THAT(folderEntries(), UnorderedElementsAre("planted", "left.tmp"));
  EXPECT_EQ(readBytes(dir / "left.tmp"), "left");
}

}  // namespace
}  // namespace qv::test
