#include "profile/FileReplacementStorage.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#include "profile/LinkTarget.h"
#include "profile/Utf8Path.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

fs::path temporaryBeside(const fs::path& target) {
  std::random_device random;
  std::uniform_int_distribution<unsigned> digits;
  fs::path candidate;
  std::error_code ignored;
  do {
    fs::path name = target.filename();
    name += "." + std::to_string(digits(random)) + ".tmp";
    candidate = target.parent_path() / name;
    // A link counts as taken, even one that leads nowhere.
  } while (fs::exists(fs::symlink_status(candidate, ignored)));
  return candidate;
}

// A save is done only once its bytes are on the disk: a power loss after
// "Save" must not leave an empty profile.
bool overwrite(OpenFile& file, std::string_view content) {
  return file.writeAt(0, content) && file.resize(content.size()) && file.sync() && file.close();
}

// Writes over the file's own bytes, so every name of it sees the new
// content and its owner and mode stay. The old bytes are read first and put
// back when the new ones do not all get in; they fit in the space the file
// already had. A fresh handle does that, free of whatever the failed one
// still holds.
bool writeInPlace(FileCalls& calls, const fs::path& target, std::string_view content) {
  std::optional<std::string> old;
  {
    const std::unique_ptr<OpenFile> file = calls.openExisting(target);
    if (!file) {
      return false;
    }
    old = file->readAll();
    if (!old) {
      return false;
    }
    if (overwrite(*file, content)) {
      return true;
    }
  }
  const std::unique_ptr<OpenFile> again = calls.openExisting(target);
  static_cast<void>(again && overwrite(*again, *old));
  return false;
}

// True when the temporary took every byte and now is the target; it is
// closed either way.
// The temporary's bytes reach the disk before its name replaces the
// target's, and the folder's new entry after, so that after a power loss the
// target holds either the old profile or the new one.
bool renameOnto(FileCalls& calls, const fs::path& temporary, std::unique_ptr<OpenFile> file,
                const fs::path& target, std::string_view content) {
  if (!file->writeAt(0, content) || !file->sync() || !file->close()) {
    return false;
  }
  std::error_code error;
  // The replacement keeps the permissions the old profile had.
  const fs::file_status old = fs::status(target, error);
  if (!error && fs::exists(old)) {
    fs::permissions(temporary, old.permissions(), error);
    if (error) {
      return false;
    }
  }
  return calls.replace(temporary, target) && calls.syncFolder(target.parent_path());
}

bool putInPlace(FileCalls& calls, const fs::path& target, std::string_view content) {
  std::error_code error;
  const bool exists = fs::exists(target, error);
  // Renaming onto one of several names would split them apart.
  if (exists && fs::hard_link_count(target, error) > 1) {
    return writeInPlace(calls, target, content);
  }
  const fs::path temporary = temporaryBeside(target);
  std::unique_ptr<OpenFile> file = calls.create(temporary);
  if (!file) {
    // A folder that takes no new file may still hold a file that can be written.
    return exists && writeInPlace(calls, target, content);
  }
  if (renameOnto(calls, temporary, std::move(file), target, content)) {
    return true;
  }
  // Gone already when only the folder's sync failed.
  static_cast<void>(fs::remove(temporary, error));
  return false;
}

// Takes the whole profile before touching any file, so that a file written
// in place can still be put back as it was.
class BufferedReplacement final : public ReplacementFile {
 public:
  BufferedReplacement(FileCalls& calls, fs::path target)
      : calls_(calls), target_(std::move(target)) {}

  bool write(std::string_view bytes) override {
    content_ += bytes;
    return true;
  }

  bool commit() override { return putInPlace(calls_, target_, content_); }

 private:
  FileCalls& calls_;
  fs::path target_;
  std::string content_;
};

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

FileReplacementStorage::FileReplacementStorage()
    : FileReplacementStorage(std::make_unique<SystemFileCalls>()) {}

FileReplacementStorage::FileReplacementStorage(std::unique_ptr<FileCalls> calls)
    : calls_(std::move(calls)) {}

std::unique_ptr<ReplacementFile> FileReplacementStorage::replace(const std::string& path) {
  const fs::path named = utf8Path(path);
  if (!named.has_filename()) {
    return nullptr;
  }
  const std::optional<fs::path> target = linkTarget(named);
  if (!target || !target->has_filename() || !mayReplace(*target)) {
    return nullptr;
  }
  return std::make_unique<BufferedReplacement>(*calls_, *target);
}

}  // namespace qv
