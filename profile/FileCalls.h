#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// One open file, as a save uses it. Every call reports whether the system
// did all of it.
class OpenFile {
 public:
  virtual ~OpenFile() = default;
  [[nodiscard]] virtual std::optional<std::string> readAll() = 0;
  // Writes the bytes from the offset on and flushes them to the system.
  [[nodiscard]] virtual bool writeAt(std::uint64_t offset, std::string_view bytes) = 0;
  [[nodiscard]] virtual bool resize(std::uint64_t size) = 0;
  [[nodiscard]] virtual bool close() = 0;
};

// The file calls a save makes; a test puts ones in their place that fail
// the way a full disk or a read-only folder does.
class FileCalls {
 public:
  virtual ~FileCalls() = default;
  // Null when the file cannot be created.
  [[nodiscard]] virtual std::unique_ptr<OpenFile> create(const std::filesystem::path& path) = 0;
  // Opens an existing file for reading and writing without changing it;
  // null when it cannot.
  [[nodiscard]] virtual std::unique_ptr<OpenFile> openExisting(
      const std::filesystem::path& path) = 0;
};

// The calls on the real files, through the standard library.
class StdFileCalls final : public FileCalls {
 public:
  [[nodiscard]] std::unique_ptr<OpenFile> create(const std::filesystem::path& path) override;
  [[nodiscard]] std::unique_ptr<OpenFile> openExisting(const std::filesystem::path& path) override;
};

}  // namespace qv
