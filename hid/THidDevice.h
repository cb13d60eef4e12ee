#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/HidPlatform.h"

namespace qv {

class MainThreadHandoff;
class THidDevice;
class THidDeviceReadThread;

struct HIDD_ATTRIBUTES {
  uint32_t Size = 0;
  uint16_t VendorID = 0;
  uint16_t ProductID = 0;
  uint16_t VersionNumber = 0;
};

struct HIDP_CAPS {
  uint16_t InputReportByteLength = 0;
  uint16_t OutputReportByteLength = 0;
  uint16_t FeatureReportByteLength = 0;
};

struct THidPnPInfo {
  uint32_t DeviceID = 0;
  std::string DevicePath;
};

// One input report: the bytes after the report id, valid only during the call.
using TDataEvent =
    std::function<void(THidDevice& HidDev, uint8_t ReportID, const uint8_t* Data, uint16_t Size)>;
// A read could not be started; Error is the platform's error code.
using TDataErrorEvent = std::function<void(THidDevice& HidDev, uint32_t Error)>;

// What a new record takes from its controller (or from the record it replaces).
struct THidDeviceSettings {
  int32_t ThreadSleepTime = 100;
  int32_t PollingDelayTime = 0;
  TDataEvent OnData;
  TDataErrorEvent OnDataError;
};

// One HID interface of the controller's list. Main thread only, except what
// its reader reads: the accessibility flags and the path.
class THidDevice {
 public:
  // Opens the interface to learn its identity; throws HidDeviceError.
  THidDevice(HidPlatform& platform, MainThreadHandoff& handoff, THidPnPInfo PnPInfo,
             THidDeviceSettings settings);
  THidDevice(const THidDevice&) = delete;
  THidDevice& operator=(const THidDevice&) = delete;
  // Stops the reader (serving its hand-offs meanwhile) and closes the handles.
  ~THidDevice();

  [[nodiscard]] const HIDD_ATTRIBUTES& Attributes() const { return attributes_; }
  [[nodiscard]] HIDP_CAPS Caps();
  [[nodiscard]] bool HasReadWriteAccess() const { return hasReadWriteAccess_; }
  [[nodiscard]] bool IsPluggedIn() const { return pluggedIn_; }
  [[nodiscard]] bool IsCheckedOut() const { return checkedOut_; }
  // Plugged in and either checked out or being enumerated.
  [[nodiscard]] bool IsAccessible() const;
  [[nodiscard]] const THidPnPInfo& PnPInfo() const { return pnpInfo_; }

  std::string ProductName();
  std::string VendorName();
  std::string SerialNumber();
  std::vector<std::string> LanguageStrings();
  std::string GetDeviceString(uint8_t Idx);
  bool SetFeature(const uint8_t* Report, int32_t Size);
  bool GetInputReport(uint8_t* Report, int32_t Size);
  bool WriteFile(const uint8_t* Report, uint32_t ToWrite, uint32_t& BytesWritten);

  [[nodiscard]] const TDataEvent& OnData() const { return onData_; }
  // Clearing the data handler stops the reader.
  void SetOnData(TDataEvent handler);
  TDataErrorEvent OnDataError;

  int32_t ThreadSleepTime = 100;
  int32_t PollingDelayTime = 0;

  // None until the record qualified for one; a reader that ended because a
  // handler failed stays here, so no new one starts.
  [[nodiscard]] const THidDeviceReadThread* Reader() const { return reader_.get(); }

 private:
  friend class THidDeviceController;

  void checkOut();
  void setBeingEnumerated(bool enumerated) { beingEnumerated_ = enumerated; }
  void unplug();
  // Closes the synchronous handle and has the reader drop its read handle.
  void closeHandles();
  void askReaderToStop();
  void stopReader();

  // The synchronous handle, opened when needed; null when not accessible or
  // the interface cannot be opened.
  HidHandle* handle();
  bool openHandle();
  std::string cachedString(std::string& cache, HidStringKind kind);
  std::vector<uint16_t> readLanguageIds(HidHandle& handle);

  HidPlatform& platform_;
  MainThreadHandoff& handoff_;
  const THidPnPInfo pnpInfo_;
  HIDD_ATTRIBUTES attributes_;
  std::atomic<bool> pluggedIn_ = true;
  std::atomic<bool> checkedOut_ = false;
  std::atomic<bool> beingEnumerated_ = false;
  bool hasReadWriteAccess_ = false;
  std::unique_ptr<HidHandle> handle_;
  std::string vendorName_;
  std::string productName_;
  std::string serialNumber_;
  std::vector<std::string> languageStrings_;
  std::optional<HIDP_CAPS> caps_;
  TDataEvent onData_;
  std::unique_ptr<THidDeviceReadThread> reader_;
};

}  // namespace qv
