#include "platform/windows/SetupApiHidPlatform.h"

// clang-format off
#include <windows.h>
#include <setupapi.h>
// mingw's HID headers lack C linkage of their own.
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}
// clang-format on

#include <algorithm>
#include <vector>

#include "platform/windows/Win32Text.h"

namespace qv {

namespace {

// What HidD_*String calls may write: 254 UTF-16 units.
constexpr ULONG kStringBufferBytes = sizeof(HidStringBuffer);
static_assert(kStringBufferBytes == 508);

// LOCALE_SLANGUAGE is asked for with room for 512 characters, of which at
// most the first 256 are kept.
constexpr int kLanguageNameRoom = 512;
constexpr size_t kLanguageNameKept = 256;

// Owns a handle from CreateFileW.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) {
      static_cast<void>(CloseHandle(handle_));
    }
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  [[nodiscard]] bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  [[nodiscard]] HANDLE get() const { return handle_; }

 private:
  const HANDLE handle_;
};

HANDLE openInterface(const std::string& path, DWORD access, DWORD flags) {
  return CreateFileW(wideFromUtf8(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, flags, nullptr);
}

class SetupApiHandle final : public HidHandle {
 public:
  explicit SetupApiHandle(HANDLE handle) : handle_(handle) {}

  std::optional<HidIds> attributes() override {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(handle_.get(), &attributes)) {
      return std::nullopt;
    }
    return HidIds{attributes.VendorID, attributes.ProductID, attributes.VersionNumber};
  }

  std::optional<HidReportLengths> reportLengths() override {
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(handle_.get(), &preparsed)) {
      return std::nullopt;
    }
    HIDP_CAPS caps{};
    const NTSTATUS status = HidP_GetCaps(preparsed, &caps);
    static_cast<void>(HidD_FreePreparsedData(preparsed));
    if (status != HIDP_STATUS_SUCCESS) {
      return std::nullopt;
    }
    return HidReportLengths{caps.InputReportByteLength, caps.OutputReportByteLength,
                            caps.FeatureReportByteLength};
  }

  bool getString(HidStringKind kind, HidStringBuffer& buffer) override {
    void* const into = buffer.data();
    switch (kind) {
      case HidStringKind::Product:
        return HidD_GetProductString(handle_.get(), into, kStringBufferBytes) != FALSE;
      case HidStringKind::Manufacturer:
        return HidD_GetManufacturerString(handle_.get(), into, kStringBufferBytes) != FALSE;
      case HidStringKind::Serial:
        return HidD_GetSerialNumberString(handle_.get(), into, kStringBufferBytes) != FALSE;
    }
    return false;
  }

  bool getIndexedString(uint8_t index, HidStringBuffer& buffer) override {
    return HidD_GetIndexedString(handle_.get(), index, buffer.data(), kStringBufferBytes) != FALSE;
  }

  bool setFeature(const uint8_t* report, size_t size) override {
    // HidD_SetFeature takes a writable buffer.
    std::vector<uint8_t> copy(report, report + size);
    return HidD_SetFeature(handle_.get(), copy.data(), static_cast<ULONG>(copy.size())) != FALSE;
  }

  bool getInputReport(uint8_t* report, size_t size) override {
    return HidD_GetInputReport(handle_.get(), report, static_cast<ULONG>(size)) != FALSE;
  }

  std::optional<uint32_t> write(const uint8_t* report, size_t size) override {
    DWORD written = 0;
    if (!WriteFile(handle_.get(), report, static_cast<DWORD>(size), &written, nullptr)) {
      return std::nullopt;
    }
    return written;
  }

 private:
  FileHandle handle_;
};

// One overlapped read at a time. The read lands in the channel's own buffer,
// which lives until the read is over, and is copied out when it completes.
class OverlappedInputChannel final : public HidInputChannel {
 public:
  OverlappedInputChannel(HANDLE handle, HANDLE completed) : handle_(handle), completed_(completed) {
    overlapped_.hEvent = completed_.get();
  }
  // Runs on the reader's thread, which started the read, so CancelIo reaches
  // it; the wait makes sure the system no longer writes into the buffer.
  ~OverlappedInputChannel() override {
    if (pending_) {
      static_cast<void>(CancelIo(handle_.get()));
      DWORD ignored = 0;
      static_cast<void>(GetOverlappedResult(handle_.get(), &overlapped_, &ignored, TRUE));
    }
  }
  OverlappedInputChannel(const OverlappedInputChannel&) = delete;
  OverlappedInputChannel& operator=(const OverlappedInputChannel&) = delete;

  HidReadOutcome read(uint8_t* buffer, size_t size, int32_t timeoutMs) override {
    if (!pending_) {
      report_.assign(size, 0);
      static_cast<void>(ResetEvent(completed_.get()));
      if (!ReadFile(handle_.get(), report_.data(), static_cast<DWORD>(report_.size()), nullptr,
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
    // A read whose result cannot be had counts as one of no bytes: ignored.
    if (!GetOverlappedResult(handle_.get(), &overlapped_, &bytes, FALSE)) {
      bytes = 0;
    }
    bytes = std::min<DWORD>({bytes, static_cast<DWORD>(size), static_cast<DWORD>(report_.size())});
    std::copy_n(report_.begin(), bytes, buffer);
    return {HidReadOutcome::Kind::Report, bytes, 0};
  }

 private:
  FileHandle handle_;
  FileHandle completed_;
  OVERLAPPED overlapped_{};
  std::vector<uint8_t> report_;
  bool pending_ = false;
};

class SetupApiHidPlatform final : public HidPlatform {
 public:
  SetupApiHidPlatform() { HidD_GetHidGuid(&hidGuid_); }

  // SetupAPI and HID.dll are bound when the program loads, so they are there
  // whenever it runs.
  bool available() const override { return true; }

  std::vector<HidInterface> presentInterfaces() override {
    std::vector<HidInterface> present;
    const HDEVINFO set =
        SetupDiGetClassDevsW(&hidGuid_, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
      return present;
    }
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    for (DWORD n = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid_, n, &interfaceData);
         ++n) {
      if (auto found = describe(set, interfaceData)) {
        present.push_back(std::move(*found));
      }
    }
    static_cast<void>(SetupDiDestroyDeviceInfoList(set));
    return present;
  }

  std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override {
    const DWORD rights = access == HidAccess::ReadWrite ? GENERIC_READ | GENERIC_WRITE : 0;
    const HANDLE handle = openInterface(path, rights, 0);
    if (handle == INVALID_HANDLE_VALUE) {
      return nullptr;
    }
    return std::make_unique<SetupApiHandle>(handle);
  }

  // An interface path names its device instance, so no other device opens under it.
  std::unique_ptr<HidInputChannel> openInput(const HidInterface& device, uint32_t& error) override {
    const HANDLE handle = openInterface(device.path, GENERIC_READ, FILE_FLAG_OVERLAPPED);
    if (handle == INVALID_HANDLE_VALUE) {
      error = GetLastError();
      return nullptr;
    }
    const HANDLE completed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (completed == nullptr) {
      error = GetLastError();
      static_cast<void>(CloseHandle(handle));
      return nullptr;
    }
    return std::make_unique<OverlappedInputChannel>(handle, completed);
  }

  uint32_t closedHandleError() const override { return ERROR_INVALID_HANDLE; }

  // A vanished device fails its reads with "not connected"; its path then no
  // longer opens.
  bool deviceGone(uint32_t error) const override {
    return error == ERROR_DEVICE_NOT_CONNECTED || error == ERROR_FILE_NOT_FOUND ||
           error == ERROR_PATH_NOT_FOUND;
  }

  std::string errorText(uint32_t code) const override { return systemMessage(code); }

  std::optional<std::string> languageName(uint16_t languageId) const override {
    wchar_t name[kLanguageNameRoom] = {};
    const int length = GetLocaleInfoW(MAKELCID(languageId, SORT_DEFAULT), LOCALE_SLANGUAGE, name,
                                      kLanguageNameRoom);
    if (length <= 0) {
      return std::nullopt;
    }
    const size_t text = std::min(wcsnlen(name, kLanguageNameRoom), kLanguageNameKept);
    return utf8FromWide(name, text);
  }

 private:
  // The interface's path and device instance; nothing when its detail cannot
  // be had.
  static std::optional<HidInterface> describe(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
    DWORD size = 0;
    if (SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &size, nullptr) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || size < sizeof(DWORD) + sizeof(wchar_t)) {
      return std::nullopt;
    }
    // DWORD units keep the detail's size field aligned.
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* const detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, nullptr, &device)) {
      return std::nullopt;
    }
    const size_t room =
        (size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
    const wchar_t* const path = detail->DevicePath;
    return HidInterface{device.DevInst, utf8FromWide(path, wcsnlen(path, room))};
  }

  GUID hidGuid_{};
};

}  // namespace

std::unique_ptr<HidPlatform> makeSetupApiHidPlatform() {
  return std::make_unique<SetupApiHidPlatform>();
}

}  // namespace qv
