#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "profile/FileCalls.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

// Every call restarted when a signal breaks it off.
template <typename Call>
auto retried(Call call) {
  auto result = call();
  while (result < 0 && errno == EINTR) {
    result = call();
  }
  return result;
}

class PosixOpenFile final : public OpenFile {
 public:
  explicit PosixOpenFile(int fd) : fd_(fd) {}
  ~PosixOpenFile() override {
    if (fd_ >= 0) {
      static_cast<void>(::close(fd_));
    }
  }
  PosixOpenFile(const PosixOpenFile&) = delete;
  PosixOpenFile& operator=(const PosixOpenFile&) = delete;

  std::optional<std::string> readAll() override {
    struct stat status {};
    if (fstat(fd_, &status) != 0 || status.st_size < 0) {
      return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t read = retried([&] {
        return pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
      });
      if (read <= 0) {
        return std::nullopt;
      }
      done += static_cast<std::size_t>(read);
    }
    return bytes;
  }

  bool writeAt(std::uint64_t offset, std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t written = retried([&] {
        return pwrite(fd_, bytes.data() + done, bytes.size() - done,
                      static_cast<off_t>(offset + done));
      });
      if (written <= 0) {
        return false;
      }
      done += static_cast<std::size_t>(written);
    }
    return true;
  }

  bool resize(std::uint64_t size) override {
    return retried([&] { return ftruncate(fd_, static_cast<off_t>(size)); }) == 0;
  }

  bool sync() override {
    return retried([&] { return fsync(fd_); }) == 0;
  }

  bool close() override {
    const int fd = fd_;
    fd_ = -1;
    // The descriptor is gone even when close fails, so it is never retried.
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::unique_ptr<OpenFile> opened(const fs::path& path, int flags) {
  const int fd = retried([&] { return open(path.c_str(), flags | O_RDWR | O_CLOEXEC, 0666); });
  if (fd < 0) {
    return nullptr;
  }
  return std::make_unique<PosixOpenFile>(fd);
}

}  // namespace

std::unique_ptr<OpenFile> SystemFileCalls::create(const fs::path& path) {
  // A name left behind, even a link planted there, makes this fail rather
  // than write through it.
  return opened(path, O_CREAT | O_EXCL | O_NOFOLLOW);
}

std::unique_ptr<OpenFile> SystemFileCalls::openExisting(const fs::path& path) {
  return opened(path, 0);
}

bool SystemFileCalls::replace(const fs::path& from, const fs::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool SystemFileCalls::syncFolder(const fs::path& folder) {
  const fs::path named = folder.empty() ? fs::path(".") : folder;
  const int fd = retried([&] { return open(named.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
  if (fd < 0) {
    return false;
  }
  const bool synced = retried([&] { return fsync(fd); }) == 0;
  return ::close(fd) == 0 && synced;
}

}  // namespace qv
