#include "profile/FileReplacementStorage.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "profile/Utf8Path.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

class TemporaryFile final : public ReplacementFile {
 public:
  TemporaryFile(fs::path temporary, fs::path target)
      : temporary_(std::move(temporary)),
        target_(std::move(target)),
        out_(temporary_, std::ios::binary | std::ios::trunc) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  ~TemporaryFile() override {
    if (!committed_) {
      out_.close();
      std::error_code ignored;
      static_cast<void>(fs::remove(temporary_, ignored));
    }
  }

  [[nodiscard]] bool isOpen() const { return out_.is_open(); }

  bool write(std::string_view bytes) override {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out_.good();
  }

  bool commit() override {
    out_.flush();
    const bool written = out_.good();
    out_.close();
    if (!written || out_.fail()) {
      return false;
    }
    std::error_code error;
    // The replacement keeps the permissions the old profile had.
    const fs::file_status old = fs::status(target_, error);
    if (!error && fs::exists(old)) {
      fs::permissions(temporary_, old.permissions(), error);
      if (error) {
        return false;
      }
    }
    fs::rename(temporary_, target_, error);
    committed_ = !error;
    return committed_;
  }

 private:
  fs::path temporary_;
  fs::path target_;
  std::ofstream out_;
  bool committed_ = false;
};

fs::path temporaryBeside(const fs::path& target) {
  std::random_device random;
  std::uniform_int_distribution<unsigned> digits;
  fs::path candidate;
  std::error_code ignored;
  do {
    fs::path name = target.filename();
    name += "." + std::to_string(digits(random)) + ".tmp";
    candidate = target.parent_path() / name;
  } while (fs::exists(candidate, ignored));
  return candidate;
}

// A profile the user cannot write to stays as it is, as it would if it were
// opened for writing in place; opening to append proves that without
// changing a byte.
bool mayReplace(const fs::path& target) {
  std::error_code error;
  if (!fs::exists(target, error)) {
    return !error;
  }
  if (!fs::is_regular_file(target, error)) {
    return false;
  }
  const std::ofstream probe(target, std::ios::binary | std::ios::app);
  return probe.is_open();
}

}  // namespace

std::unique_ptr<ReplacementFile> FileReplacementStorage::replace(const std::string& path) {
  const fs::path target = utf8Path(path);
  if (!target.has_filename() || !mayReplace(target)) {
    return nullptr;
  }
  auto file = std::make_unique<TemporaryFile>(temporaryBeside(target), target);
  if (!file->isOpen()) {
    return nullptr;
  }
  return file;
}

}  // namespace qv
