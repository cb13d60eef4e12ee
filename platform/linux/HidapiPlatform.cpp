#include "platform/linux/HidapiPlatform.h"

#include <hidapi.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

#include "platform/linux/HidrawReads.h"
#include "platform/linux/HidrawSysfs.h"

namespace qv {

namespace {

// What the enumeration told about an interface.
struct Snapshot {
  HidIds ids;
  std::wstring product;
  std::wstring manufacturer;
  std::wstring serial;
};

std::wstring wideOrEmpty(const wchar_t* text) {
  return text != nullptr ? text : L"";
}

// wchar_t is UTF-32 here; the core expects UTF-16 units.
void toUtf16(const std::wstring& text, HidStringBuffer& buffer) {
  size_t at = 0;
  for (const wchar_t c : text) {
    const auto code = static_cast<char32_t>(c);
    if (code >= 0x10000) {
      if (at + 2 > buffer.size()) {
        break;
      }
      buffer[at++] = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      buffer[at++] = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      if (at + 1 > buffer.size()) {
        break;
      }
      buffer[at++] = static_cast<char16_t>(code);
    }
  }
  if (at < buffer.size()) {
    buffer[at] = 0;
  }
}

uint32_t lastErrorOr(uint32_t fallback) {
  return errno != 0 ? static_cast<uint32_t>(errno) : fallback;
}

class HidapiHandle final : public HidHandle {
 public:
  HidapiHandle(const HidrawSysfs& sysfs, std::string path, Snapshot snapshot, hid_device* device)
      : sysfs_(sysfs), path_(std::move(path)), snapshot_(std::move(snapshot)), device_(device) {}
  ~HidapiHandle() override {
    if (device_ != nullptr) {
      hid_close(device_);
    }
  }
  HidapiHandle(const HidapiHandle&) = delete;
  HidapiHandle& operator=(const HidapiHandle&) = delete;

  std::optional<HidIds> attributes() override { return snapshot_.ids; }

  std::optional<HidReportLengths> reportLengths() override { return sysfs_.reportLengths(path_); }

  bool getString(HidStringKind kind, HidStringBuffer& buffer) override {
    if (device_ == nullptr) {
      const std::wstring& text = kind == HidStringKind::Product        ? snapshot_.product
                                 : kind == HidStringKind::Manufacturer ? snapshot_.manufacturer
                                                                       : snapshot_.serial;
      if (text.empty()) {
        return false;
      }
      toUtf16(text, buffer);
      return true;
    }
    wchar_t text[256] = {};
    const int result = kind == HidStringKind::Product ? hid_get_product_string(device_, text, 255)
                       : kind == HidStringKind::Manufacturer
                           ? hid_get_manufacturer_string(device_, text, 255)
                           : hid_get_serial_number_string(device_, text, 255);
    if (result != 0 || text[0] == 0) {
      return false;
    }
    toUtf16(text, buffer);
    return true;
  }

  bool getIndexedString(uint8_t index, HidStringBuffer& buffer) override {
    if (device_ == nullptr) {
      return false;
    }
    wchar_t text[256] = {};
    if (hid_get_indexed_string(device_, index, text, 255) != 0) {
      return false;
    }
    toUtf16(text, buffer);
    return true;
  }

  bool setFeature(const uint8_t* report, size_t size) override {
    return device_ != nullptr && hid_send_feature_report(device_, report, size) >= 0;
  }

  bool getInputReport(uint8_t* report, size_t size) override {
    return device_ != nullptr && hid_get_input_report(device_, report, size) >= 0;
  }

  std::optional<uint32_t> write(const uint8_t* report, size_t size) override {
    if (device_ == nullptr) {
      return std::nullopt;
    }
    const int written = hid_write(device_, report, size);
    if (written < 0) {
      return std::nullopt;
    }
    return static_cast<uint32_t>(written);
  }

 private:
  const HidrawSysfs& sysfs_;
  const std::string path_;
  const Snapshot snapshot_;
  hid_device* const device_;
};

class HidapiInputChannel final : public HidInputChannel {
 public:
  HidapiInputChannel(hid_device* device, bool numberedReports)
      : device_(device), numberedReports_(numberedReports) {}
  ~HidapiInputChannel() override { hid_close(device_); }
  HidapiInputChannel(const HidapiInputChannel&) = delete;
  HidapiInputChannel& operator=(const HidapiInputChannel&) = delete;

  HidReadOutcome read(uint8_t* buffer, size_t size, int32_t timeoutMs) override {
    return readInputReport(numberedReports_, buffer, size, [&](uint8_t* into, size_t room) {
      return hid_read_timeout(device_, into, room, timeoutMs);
    });
  }

 private:
  hid_device* const device_;
  const bool numberedReports_;
};

class HidapiPlatform final : public HidPlatform {
 public:
  HidapiPlatform() : available_(hid_init() == 0) {}
  ~HidapiPlatform() override {
    if (available_) {
      static_cast<void>(hid_exit());
    }
  }
  HidapiPlatform(const HidapiPlatform&) = delete;
  HidapiPlatform& operator=(const HidapiPlatform&) = delete;

  bool available() const override { return available_; }

  std::vector<HidInterface> presentInterfaces() override {
    std::vector<HidInterface> present;
    if (!available_) {
      return present;
    }
    const std::lock_guard lock(hidapiMutex_);
    hid_device_info* const list = hid_enumerate(0, 0);
    std::set<std::string> seen;
    snapshots_.clear();
    // hidapi lists a node once per top-level usage; the node is one interface.
    for (const hid_device_info* info = list; info != nullptr; info = info->next) {
      const std::string path = info->path != nullptr ? info->path : "";
      if (path.empty() || !seen.insert(path).second) {
        continue;
      }
      const std::optional<HidDeviceName> device = sysfs_.device(path);
      if (!device) {
        continue;
      }
      present.push_back({device->instance, path});
      snapshots_[path] = {{info->vendor_id, info->product_id, info->release_number},
                          wideOrEmpty(info->product_string),
                          wideOrEmpty(info->manufacturer_string),
                          wideOrEmpty(info->serial_number)};
    }
    hid_free_enumeration(list);
    return present;
  }

  std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override {
    const std::lock_guard lock(hidapiMutex_);
    const auto found = snapshots_.find(path);
    if (!available_ || found == snapshots_.end()) {
      return nullptr;
    }
    hid_device* device = nullptr;
    if (access == HidAccess::ReadWrite) {
      device = hid_open_path(path.c_str());
      if (device == nullptr) {
        return nullptr;
      }
    } else if (!sysfs_.device(path)) {
      return nullptr;  // the node has gone
    }
    return std::make_unique<HidapiHandle>(sysfs_, path, found->second, device);
  }

  // Linux gives a new device the lowest free node, often the one a vanished
  // device had: a node that now leads to another instance counts as gone.
  std::unique_ptr<HidInputChannel> openInput(const HidInterface& device, uint32_t& error) override {
    if (!leadsTo(device)) {
      error = ENODEV;
      return nullptr;
    }
    const bool numbered = sysfs_.numberedReports(device.path);
    hid_device* opened = nullptr;
    {
      const std::lock_guard lock(hidapiMutex_);
      errno = 0;
      opened = available_ ? hid_open_path(device.path.c_str()) : nullptr;
      error = lastErrorOr(ENODEV);
    }
    if (opened == nullptr) {
      return nullptr;
    }
    // The node may have changed hands between the look and the open;
    // instance numbers are never reused, so the same one after it means the
    // same device all along.
    if (!leadsTo(device)) {
      hid_close(opened);
      error = ENODEV;
      return nullptr;
    }
    return std::make_unique<HidapiInputChannel>(opened, numbered);
  }

  uint32_t closedHandleError() const override { return EBADF; }

  // hidraw fails the reads of a vanished device with EIO (and hidapi reports
  // its hang-up without errno, which readInputReport makes EIO); its node is then gone.
  bool deviceGone(uint32_t error) const override {
    return error == EIO || error == ENODEV || error == ENXIO || error == ENOENT;
  }

  std::string errorText(uint32_t code) const override {
    char text[256] = {};
    return strerror_r(static_cast<int>(code), text, sizeof text);
  }

  // Linux has no table of display names for USB language ids.
  std::optional<std::string> languageName(uint16_t) const override { return std::nullopt; }

 private:
  [[nodiscard]] bool leadsTo(const HidInterface& device) const {
    const std::optional<HidDeviceName> name = sysfs_.device(device.path);
    return name && name->instance == device.instanceId;
  }

  const HidrawSysfs sysfs_;
  const bool available_;
  // hidapi keeps its last open or enumeration error in a global; readers
  // open their handles from their own threads.
  std::mutex hidapiMutex_;
  std::map<std::string, Snapshot> snapshots_;
};

}  // namespace

std::unique_ptr<HidPlatform> makeHidapiPlatform() {
  return std::make_unique<HidapiPlatform>();
}

}  // namespace qv
