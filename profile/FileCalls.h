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
  // Writes the bytes from the offset on and hands them to the system.
  [[nodiscard]] virtual bool writeAt(std::uint64_t offset, std::string_view bytes) = 0;
  [[nodiscard]] virtual bool resize(std::uint64_t size) = 0;
  // Returns once the file's bytes are on the disk itself, past every cache.
  [[nodiscard]] virtual bool sync() = 0;
  [[nodiscard]] virtual bool close() = 0;
};

// The file calls a save makes; a test puts ones in their place that fail
// the way a full disk or a read-only folder does.
class FileCalls {
 public:
  virtual ~FileCalls() = default;
  // A new, empty file; null when anything already has the name (a symbolic
  // link included, which is never followed) or the file cannot be created.
  [[nodiscard]] virtual std::unique_ptr<OpenFile> create(const std::filesystem::path& path) = 0;
  // Opens an existing file for reading and writing without changing it;
  // null when it cannot.
  [[nodiscard]] virtual std::unique_ptr<OpenFile> openExisting(
      const std::filesystem::path& path) = 0;
  // Puts the file `from` in the place of `to` in one step.
  [[nodiscard]] virtual bool replace(const std::filesystem::path& from,
                                     const std::filesystem::path& to) = 0;
  // Returns once the folder's names, a replacement in it included, are on
  // the disk itself.
  [[nodiscard]] virtual bool syncFolder(const std::filesystem::path& folder) = 0;
};

// The calls on the real files, one implementation per platform.
class SystemFileCalls final : public FileCalls {
 public:
  [[nodiscard]] std::unique_ptr<OpenFile> create(const std::filesystem::path& path) override;
  [[nodiscard]] std::unique_ptr<OpenFile> openExisting(const std::filesystem::path& path) override;
  [[nodiscard]] bool replace(const std::filesystem::path& from,
                             const std::filesystem::path& to) override;
  [[nodiscard]] bool syncFolder(const std::filesystem::path& folder) override;
};

}  // namespace qv
