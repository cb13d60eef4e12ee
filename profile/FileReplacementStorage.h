#pragma once

#include <memory>

#include "profile/FileCalls.h"
#include "profile/ProfileStorage.h"

namespace qv {

// Saves into the file a symbolic link ends at. A new file written in the
// target's folder is renamed onto the target, so a failed save never leaves a
// truncated profile behind. A file with other hard links, or one whose folder
// takes no new file, is written in place instead, and its old bytes are put
// back when that fails.
class FileReplacementStorage final : public ProfileStorage {
 public:
  FileReplacementStorage();
  explicit FileReplacementStorage(std::unique_ptr<FileCalls> calls);

  [[nodiscard]] std::unique_ptr<ReplacementFile> replace(const std::string& path) override;

 private:
  std::unique_ptr<FileCalls> calls_;
};

}  // namespace qv
