#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hid/MainThreadHandoff.h"
#include "hid/THidDevice.h"

namespace qv {

class DeviceChangeSource;
class EventLoop;
class HidPlatform;

// Keeps one record per HID interface present, rescans when device nodes
// change, lets its owner check records out and runs a reader for every
// readable checked-out record. Main thread only.
class THidDeviceController {
 public:
  // The parameter of the forced first notification.
  static constexpr intptr_t kForcedScan = -1;

  // Posts the first notification to `loop`; nothing is scanned before the
  // loop delivers it. `changes` may be null (no hot-plug notifications).
  THidDeviceController(HidPlatform& platform, EventLoop& loop, DeviceChangeSource* changes);
  THidDeviceController(const THidDeviceController&) = delete;
  THidDeviceController& operator=(const THidDeviceController&) = delete;
  // Unplugs every checked-out record and destroys every record, stopping
  // their readers.
  ~THidDeviceController();

  // Hands every plugged-in record to OnEnumerate; returns how many.
  int32_t Enumerate();
  bool CheckOutByIndex(THidDevice*& HidDev, int32_t Idx);
  // Gives a checked-out record back. A plugged-in one is replaced by a fresh,
  // available record at the same index; an unplugged one leaves the list.
  void Release(THidDevice* HidDev);
  // Releases in order, but asks every reader to stop before waiting for the
  // first. Null entries are skipped.
  void Release(const std::vector<THidDevice*>& devices);

  [[nodiscard]] int32_t Count() const { return static_cast<int32_t>(list_.size()); }
  [[nodiscard]] THidDevice* Device(int32_t Idx) const;

  // A "device nodes changed" notification with its parameter. One that
  // arrives while a rescan runs makes one more rescan after it; dropped while
  // the controller is being destroyed.
  void DeviceChangeNotification(intptr_t Param);
  // Drains the device-change source; a change makes a notification.
  void ServiceDeviceChanges();
  // Starts or stops the source's calls of ServiceDeviceChanges.
  void ListenForDeviceChanges(bool listen);
  [[nodiscard]] intptr_t LastNotificationParam() const { return lastParam_; }

  // The platform's message text for a data error's code.
  [[nodiscard]] std::string SysErrorMessage(uint32_t Error) const;
  [[nodiscard]] MainThreadHandoff& Handoff() { return handoff_; }

  int32_t DevThreadSleepTime = 100;
  int32_t DevPollingDelayTime = 0;

  std::function<bool(THidDevice& HidDev, int32_t Idx)> OnEnumerate;
  std::function<void(THidDeviceController& Sender)> OnDeviceChange;
  TDataEvent OnDeviceData;
  TDataErrorEvent OnDeviceDataError;
  // A device-change handler that threw: the text for the application's
  // error report.
  std::function<void(const std::string& message)> OnScanError;
  // An interface a rescan left out because no record could be made for it
  // ("Device cannot be opened", ...): once per appearance, after
  // OnDeviceChange, with a line for the history log.
  std::function<void(const std::string& note)> OnDeviceSkipped;

 private:
  void DeviceChange();
  std::unique_ptr<THidDevice> createRecord(const THidPnPInfo& info, THidDeviceSettings settings);
  [[nodiscard]] bool holdsPluggedIn(uint32_t DeviceID) const;
  // Records for the interfaces present now; those that cannot be made are
  // left out, and `notes` gets a line for each one not left out before.
  std::vector<std::unique_ptr<THidDevice>> recordsForPresent(std::vector<std::string>& notes);
  void releaseAt(size_t position);
  [[nodiscard]] size_t positionOf(const THidDevice* device) const;

  HidPlatform& platform_;
  DeviceChangeSource* changes_;
  MainThreadHandoff handoff_;
  std::vector<std::unique_ptr<THidDevice>> list_;
  bool inRescan_ = false;
  bool rescanAgain_ = false;
  bool destroying_ = false;
  bool listening_ = false;
  intptr_t lastParam_ = 0;
  // The interfaces the last rescan left out, so each is noted only once.
  std::set<uint32_t> skipped_;
  // Lets the posted first notification find out whether we still exist.
  std::shared_ptr<THidDeviceController*> self_ = std::make_shared<THidDeviceController*>(this);
};

}  // namespace qv
