#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/HidPlatform.h"

namespace qv::test {

// What a scripted device is like when it arrives.
struct ScriptedDeviceSpec {
  HidIds ids{0x06A3, 0x0D67, 0x0100};
  std::u16string product = u"Saitek Pro Flight Switch Panel";
  std::u16string manufacturer = u"Saitek";
  std::u16string serial;
  // Nothing: reading the language-id table fails.
  std::optional<std::vector<uint16_t>> languageIds = std::vector<uint16_t>{0x0409};
  std::map<uint8_t, std::u16string> indexedStrings;
  HidReportLengths lengths{4, 0, 3};
  bool readWrite = true;     // false: opens only without access rights
  bool openable = true;      // false: neither open works
  bool identifiable = true;  // false: the attributes cannot be read
  bool inputReportRequest = true;
  std::vector<uint8_t> currentInputReport;  // answer to the input-report request
};

// Thread-safe: readers read from it while the test scripts it.
class ScriptedDevice {
 public:
  ScriptedDevice(uint32_t instance, std::string nodePath, ScriptedDeviceSpec traits)
      : instanceId(instance), path(std::move(nodePath)), traits_(std::move(traits)) {}

  const uint32_t instanceId;
  const std::string path;

  // The device sends one input report (report-id byte first).
  void sendInput(std::vector<uint8_t> report) {
    {
      const std::lock_guard lock(mutex_);
      inputs_.push_back(std::move(report));
    }
    changed_.notify_all();
  }
  // Reads fail with `error` (0: they work again).
  void failReads(uint32_t error) {
    {
      const std::lock_guard lock(mutex_);
      readError_ = error;
    }
    changed_.notify_all();
  }
  // Opening the read handle fails with `error` (0: it works again).
  void failReadHandleOpens(uint32_t error) {
    const std::lock_guard lock(mutex_);
    readOpenError_ = error;
  }
  void setSpec(const std::function<void(ScriptedDeviceSpec&)>& change) {
    const std::lock_guard lock(mutex_);
    change(traits_);
  }
  [[nodiscard]] ScriptedDeviceSpec traits() const {
    const std::lock_guard lock(mutex_);
    return traits_;
  }
  [[nodiscard]] bool present() const {
    const std::lock_guard lock(mutex_);
    return present_;
  }
  [[nodiscard]] std::vector<std::vector<uint8_t>> features() const {
    const std::lock_guard lock(mutex_);
    return features_;
  }
  [[nodiscard]] std::vector<std::vector<uint8_t>> writes() const {
    const std::lock_guard lock(mutex_);
    return writes_;
  }
  [[nodiscard]] int openHandles() const {
    const std::lock_guard lock(mutex_);
    return openHandles_;
  }
  [[nodiscard]] int openReadHandles() const {
    const std::lock_guard lock(mutex_);
    return openReadHandles_;
  }
  [[nodiscard]] int readHandleOpens() const {
    const std::lock_guard lock(mutex_);
    return readHandleOpens_;
  }
  // Runs on the reader's thread as each report completes.
  void onReportCompleted(std::function<void()> hook) {
    const std::lock_guard lock(mutex_);
    completed_ = std::move(hook);
  }

  // What the scripted platform uses.
  static constexpr uint32_t kGoneError = 19;

  void unplug() {
    {
      const std::lock_guard lock(mutex_);
      present_ = false;
    }
    changed_.notify_all();
  }
  void handleOpened(int delta) {
    const std::lock_guard lock(mutex_);
    openHandles_ += delta;
  }
  void readHandleOpened(int delta) {
    const std::lock_guard lock(mutex_);
    openReadHandles_ += delta;
    if (delta > 0) {
      ++readHandleOpens_;
    }
  }
  void recordFeature(const uint8_t* report, size_t size) {
    const std::lock_guard lock(mutex_);
    features_.emplace_back(report, report + size);
  }
  void recordWrite(const uint8_t* report, size_t size) {
    const std::lock_guard lock(mutex_);
    writes_.emplace_back(report, report + size);
  }
  [[nodiscard]] uint32_t readOpenError() const {
    const std::lock_guard lock(mutex_);
    return present_ ? readOpenError_ : kGoneError;
  }

  HidReadOutcome read(uint8_t* buffer, size_t size, int32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                      [this] { return !inputs_.empty() || readError_ != 0 || !present_; });
    if (!present_) {
      return {HidReadOutcome::Kind::Failed, 0, kGoneError};
    }
    if (readError_ != 0) {
      return {HidReadOutcome::Kind::Failed, 0, readError_};
    }
    if (inputs_.empty()) {
      return {HidReadOutcome::Kind::Timeout, 0, 0};
    }
    const std::vector<uint8_t> report = std::move(inputs_.front());
    inputs_.pop_front();
    const size_t bytes = std::min(size, report.size());
    std::memcpy(buffer, report.data(), bytes);
    if (completed_) {
      completed_();
    }
    return {HidReadOutcome::Kind::Report, static_cast<uint32_t>(bytes), 0};
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  ScriptedDeviceSpec traits_;
  bool present_ = true;
  std::deque<std::vector<uint8_t>> inputs_;
  uint32_t readError_ = 0;
  uint32_t readOpenError_ = 0;
  std::vector<std::vector<uint8_t>> features_;
  std::vector<std::vector<uint8_t>> writes_;
  int openHandles_ = 0;
  int openReadHandles_ = 0;
  int readHandleOpens_ = 0;
  std::function<void()> completed_;
};

// A HID platform whose devices the test plugs in, unplugs and scripts.
class ScriptedHidPlatform final : public HidPlatform {
 public:
  static constexpr uint32_t kClosedHandleError = 6;

  // Each arrival is a new device instance, even under a path used before.
  std::shared_ptr<ScriptedDevice> plugIn(ScriptedDeviceSpec traits = {}, std::string path = {}) {
    const std::lock_guard lock(mutex_);
    const uint32_t instance = nextInstance_++;
    if (path.empty()) {
      path = "/dev/scripted" + std::to_string(instance);
    }
    auto device = std::make_shared<ScriptedDevice>(instance, std::move(path), std::move(traits));
    devices_.push_back(device);
    return device;
  }
  void unplug(const std::shared_ptr<ScriptedDevice>& device) {
    const std::lock_guard lock(mutex_);
    device->unplug();
    devices_.erase(std::remove(devices_.begin(), devices_.end(), device), devices_.end());
  }

  bool isAvailable = true;
  std::map<uint32_t, std::string> errorTexts;
  std::map<uint16_t, std::string> languageNames;

  bool available() const override { return isAvailable; }

  std::vector<HidInterface> presentInterfaces() override {
    const std::lock_guard lock(mutex_);
    std::vector<HidInterface> present;
    for (const auto& device : devices_) {
      present.push_back({device->instanceId, device->path});
    }
    return present;
  }

  std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override {
    const auto device = find(path);
    if (!device) {
      return nullptr;
    }
    const ScriptedDeviceSpec traits = device->traits();
    if (!traits.openable || (access == HidAccess::ReadWrite && !traits.readWrite)) {
      return nullptr;
    }
    return std::make_unique<Handle>(device, access == HidAccess::ReadWrite, liveHandles_);
  }

  std::unique_ptr<HidInputChannel> openInput(const HidInterface& wanted, uint32_t& error) override {
    ++inputOpenAttempts_;
    auto device = find(wanted.path);
    if (device && device->instanceId != wanted.instanceId) {
      device = nullptr;  // another device took the path
    }
    error = device ? device->readOpenError() : ScriptedDevice::kGoneError;
    if (error != 0) {
      return nullptr;
    }
    return std::make_unique<Channel>(device, liveHandles_);
  }

  // Handles and read channels not yet closed, of every device ever plugged in.
  [[nodiscard]] int liveHandles() const { return liveHandles_; }
  // Read handles asked for, whether or not they opened.
  [[nodiscard]] int inputOpenAttempts() const { return inputOpenAttempts_; }

  uint32_t closedHandleError() const override { return kClosedHandleError; }
  bool deviceGone(uint32_t error) const override { return error == ScriptedDevice::kGoneError; }

  std::string errorText(uint32_t code) const override {
    const auto found = errorTexts.find(code);
    return found != errorTexts.end() ? found->second : "error " + std::to_string(code);
  }

  std::optional<std::string> languageName(uint16_t languageId) const override {
    const auto found = languageNames.find(languageId);
    return found != languageNames.end() ? std::optional(found->second) : std::nullopt;
  }

 private:
  class Handle final : public HidHandle {
   public:
    Handle(std::shared_ptr<ScriptedDevice> device, bool readWrite, std::atomic<int>& live)
        : device_(std::move(device)), readWrite_(readWrite), live_(live) {
      device_->handleOpened(1);
      ++live_;
    }
    ~Handle() override {
      device_->handleOpened(-1);
      --live_;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    std::optional<HidIds> attributes() override {
      const auto traits = device_->traits();
      return traits.identifiable ? std::optional(traits.ids) : std::nullopt;
    }
    std::optional<HidReportLengths> reportLengths() override { return device_->traits().lengths; }
    bool getString(HidStringKind kind, HidStringBuffer& buffer) override {
      const auto traits = device_->traits();
      const std::u16string& text = kind == HidStringKind::Product        ? traits.product
                                   : kind == HidStringKind::Manufacturer ? traits.manufacturer
                                                                         : traits.serial;
      return copy(text, buffer);
    }
    bool getIndexedString(uint8_t index, HidStringBuffer& buffer) override {
      const auto traits = device_->traits();
      if (index == 0) {
        if (!traits.languageIds) {
          return false;
        }
        std::copy_n(traits.languageIds->begin(),
                    std::min(traits.languageIds->size(), buffer.size()), buffer.begin());
        if (traits.languageIds->size() < buffer.size()) {
          buffer[traits.languageIds->size()] = 0;
        }
        return true;
      }
      const auto found = traits.indexedStrings.find(index);
      return found != traits.indexedStrings.end() && copy(found->second, buffer);
    }
    bool setFeature(const uint8_t* report, size_t size) override {
      if (!readWrite_ || !device_->present()) {
        return false;
      }
      device_->recordFeature(report, size);
      return true;
    }
    bool getInputReport(uint8_t* report, size_t size) override {
      const auto traits = device_->traits();
      if (!readWrite_ || !traits.inputReportRequest || !device_->present()) {
        return false;
      }
      std::copy_n(traits.currentInputReport.begin(),
                  std::min(size, traits.currentInputReport.size()), report);
      return true;
    }
    std::optional<uint32_t> write(const uint8_t* report, size_t size) override {
      if (!readWrite_ || !device_->present()) {
        return std::nullopt;
      }
      device_->recordWrite(report, size);
      return static_cast<uint32_t>(size);
    }

   private:
    static bool copy(const std::u16string& text, HidStringBuffer& buffer) {
      if (text.empty()) {
        return false;
      }
      std::copy_n(text.begin(), std::min(text.size(), buffer.size()), buffer.begin());
      return true;
    }
    std::shared_ptr<ScriptedDevice> device_;
    const bool readWrite_;
    std::atomic<int>& live_;
  };

  class Channel final : public HidInputChannel {
   public:
    Channel(std::shared_ptr<ScriptedDevice> device, std::atomic<int>& live)
        : device_(std::move(device)), live_(live) {
      device_->readHandleOpened(1);
      ++live_;
    }
    ~Channel() override {
      device_->readHandleOpened(-1);
      --live_;
    }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;
    HidReadOutcome read(uint8_t* buffer, size_t size, int32_t timeoutMs) override {
      return device_->read(buffer, size, timeoutMs);
    }

   private:
    std::shared_ptr<ScriptedDevice> device_;
    std::atomic<int>& live_;
  };

  std::shared_ptr<ScriptedDevice> find(const std::string& path) {
    const std::lock_guard lock(mutex_);
    for (const auto& device : devices_) {
      if (device->path == path) {
        return device;
      }
    }
    return nullptr;
  }

  std::mutex mutex_;
  std::vector<std::shared_ptr<ScriptedDevice>> devices_;
  uint32_t nextInstance_ = 1;
  std::atomic<int> liveHandles_ = 0;
  std::atomic<int> inputOpenAttempts_ = 0;
};

}  // namespace qv::test
