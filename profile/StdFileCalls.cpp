#include <fstream>
#include <system_error>
#include <utility>

#include "profile/FileCalls.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

class StdOpenFile final : public OpenFile {
 public:
  StdOpenFile(fs::path path, std::ios::openmode mode) : path_(std::move(path)) {
    // Unbuffered, so a failed write leaves nothing behind to be written later.
    file_.rdbuf()->pubsetbuf(nullptr, 0);
    file_.open(path_, mode | std::ios::binary);
  }

  [[nodiscard]] bool isOpen() const { return file_.is_open(); }

  std::optional<std::string> readAll() override {
    file_.seekg(0, std::ios::end);
    const std::streamoff size = file_.tellg();
    file_.seekg(0);
    if (!file_.good() || size < 0) {
      return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file_.read(bytes.data(), size);
    if (file_.gcount() != size) {
      return std::nullopt;
    }
    return bytes;
  }

  bool writeAt(std::uint64_t offset, std::string_view bytes) override {
    file_.clear();
    file_.seekp(static_cast<std::streamoff>(offset));
    file_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file_.flush();
    return file_.good();
  }

  bool resize(std::uint64_t size) override {
    std::error_code error;
    fs::resize_file(path_, size, error);
    return !error;
  }

  bool close() override {
    file_.close();
    return !file_.fail();
  }

 private:
  fs::path path_;
  std::fstream file_;
};

std::unique_ptr<OpenFile> opened(const fs::path& path, std::ios::openmode mode) {
  auto file = std::make_unique<StdOpenFile>(path, mode);
  if (!file->isOpen()) {
    return nullptr;
  }
  return file;
}

}  // namespace

std::unique_ptr<OpenFile> StdFileCalls::create(const fs::path& path) {
  return opened(path, std::ios::out | std::ios::trunc);
}

std::unique_ptr<OpenFile> StdFileCalls::openExisting(const fs::path& path) {
  return opened(path, std::ios::in | std::ios::out);
}

}  // namespace qv
