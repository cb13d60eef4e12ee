#include "platform/windows/OverlappedInputChannel.h"

#include <algorithm>
#include <vector>

namespace qv {

namespace {

// Owns a handle from CreateFileW or CreateEventW.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() { static_cast<void>(CloseHandle(handle_)); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  [[nodiscard]] HANDLE get() const { return handle_; }

 private:
  const HANDLE handle_;
};

// The read lands in the channel's own buffer, which lives until the read is
// over, and is copied out when it completes.
class OverlappedInputChannel final : public HidInputChannel {
 public:
  OverlappedInputChannel(HANDLE file, HANDLE completed) : file_(file), completed_(completed) {
    overlapped_.hEvent = completed_.get();
  }
  // Runs on the reader's thread, which started the read, so CancelIo reaches
  // it; the wait makes sure the system no longer writes into the buffer.
  ~OverlappedInputChannel() override {
    if (pending_) {
      static_cast<void>(CancelIo(file_.get()));
      DWORD ignored = 0;
      static_cast<void>(GetOverlappedResult(file_.get(), &overlapped_, &ignored, TRUE));
    }
  }
  OverlappedInputChannel(const OverlappedInputChannel&) = delete;
  OverlappedInputChannel& operator=(const OverlappedInputChannel&) = delete;

  HidReadOutcome read(uint8_t* buffer, size_t size, int32_t timeoutMs) override {
    if (!pending_) {
      report_.assign(size, 0);
      static_cast<void>(ResetEvent(completed_.get()));
      if (!ReadFile(file_.get(), report_.data(), static_cast<DWORD>(report_.size()), nullptr,
                    &overlapped_)) {
        const DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) {
          return {HidReadOutcome::Kind::Failed, 0, error};
        }
      }
      pending_ = true;
    }
    if (WaitForSingleObject(completed_.get(), static_cast<DWORD>(std::max(timeoutMs, 0))) !=
        WAIT_OBJECT_0) {
      return {HidReadOutcome::Kind::Timeout, 0, 0};
    }
    pending_ = false;
    DWORD bytes = 0;
    // A read that completed with an error (the device was removed, ...) is a
    // failure, not a report of no bytes: the reader then sees it at once.
    if (!GetOverlappedResult(file_.get(), &overlapped_, &bytes, FALSE)) {
      return {HidReadOutcome::Kind::Failed, 0, GetLastError()};
    }
    bytes = std::min<DWORD>({bytes, static_cast<DWORD>(size), static_cast<DWORD>(report_.size())});
    std::copy_n(report_.begin(), bytes, buffer);
    return {HidReadOutcome::Kind::Report, bytes, 0};
  }

 private:
  OwnedHandle file_;
  OwnedHandle completed_;
  OVERLAPPED overlapped_{};
  std::vector<uint8_t> report_;
  bool pending_ = false;
};

}  // namespace

std::unique_ptr<HidInputChannel> makeOverlappedInputChannel(HANDLE file, uint32_t& error) {
  const HANDLE completed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (completed == nullptr) {
    error = GetLastError();
    static_cast<void>(CloseHandle(file));
    return nullptr;
  }
  return std::make_unique<OverlappedInputChannel>(file, completed);
}

}  // namespace qv
