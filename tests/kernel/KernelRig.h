#pragma once

#include <poll.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/MappingRows.h"
#include "engine/NamedTexts.h"
#include "engine/PanelIndicators.h"
#include "engine/SwitchEngine.h"
#include "hid/DeviceListView.h"
#include "hid/PanelBinding.h"
#include "hid/THidDeviceController.h"
#include "platform/DeviceChangeSource.h"
#include "platform/EventLoop.h"
#include "platform/HidPlatform.h"
#include "platform/linux/HidapiPlatform.h"
#include "platform/linux/UdevHidrawMonitor.h"
#include "sim/SimulatorLink.h"
#include "sim/SimulatorView.h"
#include "tests/support/RecordingDescriptorWatch.h"
#include "tests/support/RecordingHistory.h"
#include "tests/support/RecordingInjector.h"

namespace qv::test {

// The main thread's loop: waits for posted tasks, so a report handed over by
// a reader is served at once, as the window's loop would serve it.
class WakingEventLoop final : public EventLoop {
 public:
  void post(std::function<void()> task) override {
    {
      const std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    posted_.notify_one();
  }
  // Runs the tasks posted so far, after waiting up to `limit` for the first.
  void runPending(std::chrono::microseconds limit) {
    std::unique_lock lock(mutex_);
    posted_.wait_for(lock, limit, [this] { return !tasks_.empty(); });
    while (!tasks_.empty()) {
      std::function<void()> task = std::move(tasks_.front());
      tasks_.pop_front();
      lock.unlock();
      task();
      lock.lock();
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

// The device list of a window that has been activated once.
class RecordingDeviceList final : public DeviceListView {
 public:
  void addDeviceEntry(const std::string& text) override { entries.push_back(text); }
  void clearDeviceEntries() override { entries.clear(); }
  int selectedDeviceEntry() const override { return selected; }
  void selectDeviceEntry(int index) override { selected = index; }
  void setReadButtonDown(bool) override {}
  bool byteEditorsBuilt() const override { return true; }
  void showByteEditors(int) override {}
  std::vector<std::string> entries;
  int selected = -1;
};

class NoIndicators final : public PanelIndicators {
 public:
  void setIndicatorVisible(std::string_view, bool) override {}
};

class NoSimulatorView final : public SimulatorView {
 public:
  void setSimConStatus(const std::string&) override {}
  void setGearLightCopies(uint32_t) override {}
  void setLightByteText(const std::string&) override {}
  void showSimulator(const std::string&, const std::string&) override {}
};

// One input report as the engine's handler received it.
struct ReceivedReport {
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint8_t reportId = 0;
  std::vector<uint8_t> data;
};

// The window's HID side on the real Linux platform: hidapi on hidraw, the
// udev monitor, the controller, the panel binding, the switch engine with a
// recording injector and the gear-light sender.
class KernelRig {
 public:
  // The engine's keys go to `keys` when given, else to `injector`.
  explicit KernelRig(KeyInjector* keys = nullptr)
      : engine(keys != nullptr ? *keys : injector, history, indicators) {
    applyMappingDefaults(texts);
    engine.populatekeyarray(texts);
    controller.ListenForDeviceChanges(true);
  }

  // Maps function `fn` to one press of `virtualKey`, no modifier.
  void mapKey(int fn, int virtualKey) {
    for (const KeystrokeRow& row : kKeystrokeRows) {
      if (row.id == fn) {
        texts.setText(row.modifier, "N None");
        texts.setText(row.code, std::to_string(virtualKey));
        texts.setText(row.presses, "1");
        texts.setText(row.duration, "0");
      }
    }
    engine.populatekeyarray(texts);
  }

  // Runs the main thread, as the window's loop would (posted tasks and the
  // device-change descriptor), until `done` holds; false when it does not
  // within `limit`.
  bool runUntil(const std::function<bool()>& done,
                std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      loop.runPending(std::chrono::microseconds(0));
      pollfd changes{watch.fd, POLLIN, 0};
      if (watchDeviceChanges && changes.fd >= 0 && poll(&changes, 1, 0) > 0) {
        watch.ready();
      }
      if (done()) {
        return true;
      }
      if (std::chrono::steady_clock::now() > deadline) {
        return false;
      }
      loop.runPending(std::chrono::microseconds(500));
    }
  }

  [[nodiscard]] bool panelBound() const { return binding.SaitekSwitchPanel() != nullptr; }

  // False: hot-plug notifications wait unread, as where none arrive.
  bool watchDeviceChanges = true;

  std::unique_ptr<HidPlatform> platform = makeHidapiPlatform();
  RecordingDescriptorWatch watch;
  std::unique_ptr<DeviceChangeSource> monitor = makeUdevHidrawMonitor(watch);
  WakingEventLoop loop;
  THidDeviceController controller{*platform, loop, monitor.get()};
  RecordingDeviceList list;
  RecordingHistory history;
  RecordingInjector injector;
  NoIndicators indicators;
  NamedTextMap texts;
  SwitchEngine engine;
  std::vector<ReceivedReport> reports;
  PanelBinding binding{controller, list, history,
                       [this](uint16_t vendorId, uint16_t productId, uint8_t ReportID,
                              const uint8_t* Data, uint16_t Size) {
                         reports.push_back({vendorId, productId, ReportID, {Data, Data + Size}});
                         engine.ShowRead(vendorId, productId, ReportID, Data, Size);
                       }};
  NoSimulatorView view;
  SimulatorLink link{engine.keyarray, binding, view};
};

}  // namespace qv::test
