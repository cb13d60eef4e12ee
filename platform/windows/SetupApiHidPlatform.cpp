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
#include <map>
#include <vector>

#include "platform/windows/InterfaceArrivals.h"
#include "platform/windows/OverlappedInputChannel.h"
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
  return CreateFileW(wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, flags, nullptr);
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

class SetupApiHidPlatform final : public HidPlatform {
 public:
  SetupApiHidPlatform() : hidGuid_(hidGuid()), arrivals_(hidGuid_) {}

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
    std::map<std::wstring, Appearance> seen;
    for (DWORD n = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid_, n, &interfaceData);
         ++n) {
      if (const auto path = pathOf(set, interfaceData)) {
        const std::wstring key = interfaceKey(*path);
        const Appearance appearance = appearanceOf(key);
        seen[key] = appearance;
        present.push_back({appearance.identity, narrow(*path)});
      }
    }
    static_cast<void>(SetupDiDestroyDeviceInfoList(set));
    // An interface missing from a scan and back later is a new appearance.
    lastScan_ = std::move(seen);
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
    return makeOverlappedInputChannel(handle, error);
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
    return narrow(std::wstring_view(name, text));
  }

 private:
  // One appearance of an interface: its identity and the arrivals counted
  // when it was given.
  struct Appearance {
    uint32_t identity = 0;
    uint32_t arrivals = 0;
  };

  static GUID hidGuid() {
    GUID guid{};
    HidD_GetHidGuid(&guid);
    return guid;
  }

  // The identity of the last scan while the interface has not arrived again
  // since, else a new one: the device instance comes back the same when a
  // device is plugged into the same port again.
  Appearance appearanceOf(const std::wstring& key) {
    const uint32_t arrivals = arrivals_.count(key);
    const auto last = lastScan_.find(key);
    if (last != lastScan_.end() && last->second.arrivals == arrivals) {
      return last->second;
    }
    return {++lastIdentity_, arrivals};
  }

  // The interface's path; nothing when its detail cannot be had.
  static std::optional<std::wstring> pathOf(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
    DWORD size = 0;
    if (SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &size, nullptr) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || size < sizeof(DWORD) + sizeof(wchar_t)) {
      return std::nullopt;
    }
    // DWORD units keep the detail's size field aligned.
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* const detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, nullptr, nullptr)) {
      return std::nullopt;
    }
    const size_t room =
        (size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
    const wchar_t* const path = detail->DevicePath;
    return std::wstring(path, wcsnlen(path, room));
  }

  const GUID hidGuid_;
  InterfaceArrivals arrivals_;
  std::map<std::wstring, Appearance> lastScan_;
  uint32_t lastIdentity_ = 0;
};

}  // namespace

std::unique_ptr<HidPlatform> makeSetupApiHidPlatform() {
  return std::make_unique<SetupApiHidPlatform>();
}

}  // namespace qv
