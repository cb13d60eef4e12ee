#include <windows.h>

#include <algorithm>
#include <limits>

#include "profile/FileCalls.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

// The most one ReadFile or WriteFile call moves.
constexpr std::size_t kLargestCall = std::numeric_limits<DWORD>::max();

OVERLAPPED at(std::uint64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(offset);
  position.OffsetHigh = static_cast<DWORD>(offset >> 32U);
  return position;
}

class WindowsOpenFile final : public OpenFile {
 public:
  explicit WindowsOpenFile(HANDLE file) : file_(file) {}
  ~WindowsOpenFile() override {
    if (file_ != INVALID_HANDLE_VALUE) {
      static_cast<void>(CloseHandle(file_));
    }
  }
  WindowsOpenFile(const WindowsOpenFile&) = delete;
  WindowsOpenFile& operator=(const WindowsOpenFile&) = delete;

  std::optional<std::string> readAll() override {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_, &size) || size.QuadPart < 0) {
      return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
      OVERLAPPED position = at(done);
      DWORD read = 0;
      const auto wanted = static_cast<DWORD>((std::min)(bytes.size() - done, kLargestCall));
      if (!ReadFile(file_, bytes.data() + done, wanted, &read, &position) || read == 0) {
        return std::nullopt;
      }
      done += read;
    }
    return bytes;
  }

  bool writeAt(std::uint64_t offset, std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      OVERLAPPED position = at(offset + done);
      DWORD written = 0;
      const auto wanted = static_cast<DWORD>((std::min)(bytes.size() - done, kLargestCall));
      if (!WriteFile(file_, bytes.data() + done, wanted, &written, &position) || written == 0) {
        return false;
      }
      done += written;
    }
    return true;
  }

  bool resize(std::uint64_t size) override {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(file_, end, nullptr, FILE_BEGIN) && SetEndOfFile(file_);
  }

  bool sync() override { return FlushFileBuffers(file_) != 0; }

  bool close() override {
    const HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    return CloseHandle(file) != 0;
  }

 private:
  HANDLE file_;
};

std::unique_ptr<OpenFile> opened(const fs::path& path, DWORD disposition) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return nullptr;
  }
  return std::make_unique<WindowsOpenFile>(file);
}

}  // namespace

std::unique_ptr<OpenFile> SystemFileCalls::create(const fs::path& path) {
  // Fails on any name already there, a link included, instead of opening it.
  return opened(path, CREATE_NEW);
}

std::unique_ptr<OpenFile> SystemFileCalls::openExisting(const fs::path& path) {
  return opened(path, OPEN_EXISTING);
}

bool SystemFileCalls::replace(const fs::path& from, const fs::path& to) {
  // Write-through returns only once the move is on the disk, which is what
  // syncing the folder does elsewhere.
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool SystemFileCalls::syncFolder(const fs::path& /*folder*/) {
  // replace() wrote the folder through already; a folder cannot be flushed
  // on its own here.
  return true;
}

}  // namespace qv
