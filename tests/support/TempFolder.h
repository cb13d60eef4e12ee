#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace qv::test {

// Makes a new, empty folder under the system's temporary folder, named
// `prefix` and a random suffix. Standard C++ only, so the tests build for
// every platform.
inline std::filesystem::path makeTempFolder(const std::string& prefix) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto folder =
        std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
    if (std::filesystem::create_directory(folder)) {
      return folder;
    }
  }
  throw std::runtime_error("no temporary folder for " + prefix);
}

}  // namespace qv::test
