#include "hid/THidDeviceController.h"

#include <algorithm>
#include <exception>

#include "hid/HidDeviceError.h"
#include "hid/THidDeviceReadThread.h"
#include "platform/DeviceChangeSource.h"
#include "platform/EventLoop.h"
#include "platform/HidPlatform.h"

namespace qv {

THidDeviceController::THidDeviceController(HidPlatform& platform, EventLoop& loop,
                                           DeviceChangeSource* changes)
    : platform_(platform), changes_(changes), handoff_(loop) {
  if (!platform_.available()) {
    return;
  }
  loop.post([weak = std::weak_ptr<THidDeviceController*>(self_)] {
    if (const auto self = weak.lock()) {
      (*self)->DeviceChangeNotification(kForcedScan);
    }
  });
}

THidDeviceController::~THidDeviceController() {
  destroying_ = true;
  ListenForDeviceChanges(false);
  for (const auto& device : list_) {
    device->askReaderToStop();
  }
  for (const auto& device : list_) {
    if (device->IsCheckedOut()) {
      device->unplug();
    }
  }
  list_.clear();
}

THidDevice* THidDeviceController::Device(int32_t Idx) const {
  return Idx >= 0 && Idx < Count() ? list_[static_cast<size_t>(Idx)].get() : nullptr;
}

int32_t THidDeviceController::Enumerate() {
  int32_t handed = 0;
  for (int32_t i = 0; i < Count(); ++i) {
    THidDevice& device = *list_[static_cast<size_t>(i)];
    if (!device.IsPluggedIn()) {
      continue;
    }
    ++handed;
    device.setBeingEnumerated(true);
    const bool goOn = OnEnumerate ? OnEnumerate(device, i) : true;
    device.setBeingEnumerated(false);
    if (!device.IsCheckedOut()) {
      device.closeHandles();
    }
    if (!goOn) {
      break;
    }
  }
  return handed;
}

bool THidDeviceController::CheckOutByIndex(THidDevice*& HidDev, int32_t Idx) {
  HidDev = nullptr;
  THidDevice* device = Device(Idx);
  if (device == nullptr || device->IsCheckedOut()) {
    return false;
  }
  device->checkOut();
  HidDev = device;
  return true;
}

size_t THidDeviceController::positionOf(const THidDevice* device) const {
  const auto found = std::find_if(list_.begin(), list_.end(),
                                  [device](const auto& held) { return held.get() == device; });
  return static_cast<size_t>(found - list_.begin());
}

void THidDeviceController::Release(THidDevice* HidDev) {
  const size_t position = positionOf(HidDev);
  if (position < list_.size()) {
    releaseAt(position);
  }
}

void THidDeviceController::Release(const std::vector<THidDevice*>& devices) {
  for (THidDevice* device : devices) {
    if (device != nullptr && positionOf(device) < list_.size()) {
      device->askReaderToStop();
    }
  }
  for (THidDevice* device : devices) {
    if (device != nullptr) {
      Release(device);
    }
  }
}

void THidDeviceController::releaseAt(size_t position) {
  THidDevice& old = *list_[position];
  THidDeviceSettings settings{old.ThreadSleepTime, old.PollingDelayTime, old.OnData(),
                              OnDeviceDataError};
  old.SetOnData(nullptr);
  old.closeHandles();
  std::unique_ptr<THidDevice> fresh;
  if (old.IsPluggedIn()) {
    try {
      fresh = createRecord(old.PnPInfo(), std::move(settings));
    } catch (const std::exception&) {
      // The interface went away meanwhile; the next rescan tells.
    }
  }
  if (fresh) {
    list_[position] = std::move(fresh);
  } else {
    list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(position));
  }
}

std::unique_ptr<THidDevice> THidDeviceController::createRecord(const THidPnPInfo& info,
                                                               THidDeviceSettings settings) {
  return std::make_unique<THidDevice>(platform_, handoff_, info, std::move(settings));
}

bool THidDeviceController::holdsPluggedIn(uint32_t DeviceID) const {
  return std::any_of(list_.begin(), list_.end(), [DeviceID](const auto& device) {
    return device->IsPluggedIn() && device->PnPInfo().DeviceID == DeviceID;
  });
}

void THidDeviceController::DeviceChangeNotification(intptr_t Param) {
  if (destroying_) {
    return;
  }
  if (inRescan_) {
    // Never nested, also not from a modal loop inside a handler or the error
    // report; the change is picked up right after.
    rescanAgain_ = true;
    return;
  }
  lastParam_ = Param;
  inRescan_ = true;
  do {
    rescanAgain_ = false;
    try {
      DeviceChange();
    } catch (const std::exception& error) {
      if (OnScanError) {
        OnScanError(error.what());
      }
    }
    if (rescanAgain_) {
      lastParam_ = 0;  // the rescan after is an ordinary one
    }
  } while (rescanAgain_);
  inRescan_ = false;
}

void THidDeviceController::ServiceDeviceChanges() {
  if (changes_ != nullptr && changes_->drainChanges()) {
    DeviceChangeNotification(0);
  }
}

void THidDeviceController::ListenForDeviceChanges(bool listen) {
  if (changes_ == nullptr || listen == listening_) {
    return;
  }
  listening_ = listen;
  changes_->setChangedCallback(listen ? std::function<void()>([this] { ServiceDeviceChanges(); })
                                      : std::function<void()>());
}

std::string THidDeviceController::SysErrorMessage(uint32_t Error) const {
  return platform_.errorText(Error);
}

void THidDeviceController::DeviceChange() {
  bool changed = lastParam_ == kForcedScan;

  std::vector<std::string> notes;
  std::vector<std::unique_ptr<THidDevice>> found = recordsForPresent(notes);

  for (size_t i = list_.size(); i-- > 0;) {
    THidDevice& old = *list_[i];
    const bool present =
        old.IsPluggedIn() && std::any_of(found.begin(), found.end(), [&old](const auto& device) {
          return device->PnPInfo().DeviceID == old.PnPInfo().DeviceID;
        });
    if (present) {
      continue;
    }
    old.unplug();
    if (!old.IsCheckedOut()) {
      list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    changed = true;
  }

  for (auto& device : found) {
    if (!holdsPluggedIn(device->PnPInfo().DeviceID)) {
      list_.push_back(std::move(device));
      changed = true;
    }
  }

  if (changed && OnDeviceChange) {
    OnDeviceChange(*this);
  }
  // After the rebuild, which clears the history log.
  for (const std::string& note : notes) {
    if (OnDeviceSkipped) {
      OnDeviceSkipped(note);
    }
  }
}

// A device the system refuses to ordinary programs (a security key, one that
// vanished while it was being plugged) must not cost the user the others.
std::vector<std::unique_ptr<THidDevice>> THidDeviceController::recordsForPresent(
    std::vector<std::string>& notes) {
  std::vector<std::unique_ptr<THidDevice>> found;
  std::set<uint32_t> skipped;
  for (const HidInterface& present : platform_.presentInterfaces()) {
    try {
      found.push_back(
          createRecord({present.instanceId, present.path},
                       {DevThreadSleepTime, DevPollingDelayTime, OnDeviceData, OnDeviceDataError}));
    } catch (const HidDeviceError& error) {
      skipped.insert(present.instanceId);
      if (!skipped_.contains(present.instanceId)) {
        notes.push_back("DEVICE SKIPPED: " + std::string(error.what()) + ": " + present.path);
      }
    }
  }
  skipped_ = std::move(skipped);
  return found;
}

}  // namespace qv
