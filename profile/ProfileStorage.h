#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace qv {

// The new content of a file. Until commit() the old file is untouched;
// destroying an uncommitted one throws its content away.
class ReplacementFile {
 public:
  virtual ~ReplacementFile() = default;
  // False when the bytes could not all be taken.
  [[nodiscard]] virtual bool write(std::string_view bytes) = 0;
  // Puts the new content in the place of the old file; false when that
  // failed, and then the old file keeps its content unless even putting
  // it back failed.
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
