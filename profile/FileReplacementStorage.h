#pragma once

#include "profile/ProfileStorage.h"

namespace qv {

// Writes a temporary file in the target's folder and renames it onto the
// target, so a failed save never leaves a truncated profile behind.
class FileReplacementStorage final : public ProfileStorage {
 public:
  [[nodiscard]] std::unique_ptr<ReplacementFile> replace(const std::string& path) override;
};

}  // namespace qv
