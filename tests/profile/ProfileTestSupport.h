#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/KeyTable.h"
#include "engine/MappingRows.h"
#include "engine/NamedTexts.h"
#include "profile/FileReplacementStorage.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileView.h"
#include "profile/Utf8Path.h"

namespace qv::test {

namespace fs = std::filesystem;

class RecordingView final : public ProfileView {
 public:
  void setCaption(const std::string& caption) override { captions.push_back(caption); }
  void showMessage(const std::string& message) override { messages.push_back(message); }
  std::vector<std::string> captions;
  std::vector<std::string> messages;
};

// The real storage, made to fail at a chosen step; it counts what it was asked.
class FailingStorage final : public ProfileStorage {
 public:
  std::optional<int> failWrite;  // 1-based number of the write that fails
  bool failCommit = false;
  bool failStart = false;
  int starts = 0;

  std::unique_ptr<ReplacementFile> replace(const std::string& path) override {
    ++starts;
    if (failStart) {
      return nullptr;
    }
    auto real = real_.replace(path);
    if (!real) {
      return nullptr;
    }
    return std::make_unique<File>(std::move(real), *this);
  }

 private:
  class File final : public ReplacementFile {
   public:
    File(std::unique_ptr<ReplacementFile> real, const FailingStorage& owner)
        : real_(std::move(real)), owner_(owner) {}
    bool write(std::string_view bytes) override {
      ++writes_;
      if (owner_.failWrite == writes_) {
        return false;
      }
      return real_->write(bytes);
    }
    bool commit() override { return !owner_.failCommit && real_->commit(); }

   private:
    std::unique_ptr<ReplacementFile> real_;
    const FailingStorage& owner_;
    int writes_ = 0;
  };

  FileReplacementStorage real_;
};

inline std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string utf8Text(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

inline std::string defaultProfileBytes() {
  return readBytes(fs::path(QV_TEST_DATA_DIR) / "default-profile.psv");
}

// A fresh folder per test, the window's default texts, the real rebuild and
// a recording view around one ProfileFile.
class ProfileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / (std::string("qv-profile-") + info->test_suite_name() + "-" +
                                       info->name() + "-" + std::to_string(std::random_device{}()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    applyMappingDefaults(texts);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir, ignored);
  }

  // Names travel as UTF-8 whatever the platform's own path encoding is.
  [[nodiscard]] std::string path(const std::string& name) const {
    return utf8Text(dir / utf8Path(name));
  }

  [[nodiscard]] std::vector<std::string> folderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
      names.push_back(utf8Text(entry.path().filename()));
    }
    return names;
  }

  fs::path dir;
  NamedTextMap texts;
  KeyArray keyarray{};
  int rebuilds = 0;
  RecordingView view;
  FailingStorage storage;
  ProfileFile profile{texts,
                      [this] {
                        ++rebuilds;
                        populatekeyarray(keyarray, texts);
                      },
                      view, storage};
};

}  // namespace qv::test
