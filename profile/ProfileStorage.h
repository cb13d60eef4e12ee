#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace qv {

// A new file being written beside the one it will replace. Until commit()
// succeeds the old file is untouched; destroying an uncommitted file
// throws its content away.
class ReplacementFile {
 public:
  virtual ~ReplacementFile() = default;
  // False when the bytes could not all be written.
  [[nodiscard]] virtual bool write(std::string_view bytes) = 0;
  // Flushes and closes the new content and puts it in the place of the old
  // file; false when any of that failed, in which case the old file stays.
  [[nodiscard]] virtual bool commit() = 0;
};

// Where a saved profile goes; a test puts a failing one in its place.
class ProfileStorage {
 public:
  virtual ~ProfileStorage() = default;
  // Starts replacing the file at the UTF-8 path; null when that cannot start.
  [[nodiscard]] virtual std::unique_ptr<ReplacementFile> replace(const std::string& path) = 0;
};

}  // namespace qv
