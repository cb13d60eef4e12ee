#pragma once

#include <dirent.h>

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/HistoryLog.h"
#include "engine/PanelIndicators.h"
#include "engine/SwitchEngine.h"
#include "hid/DeviceListView.h"
#include "hid/PanelBinding.h"
#include "hid/THidDeviceController.h"
#include "platform/KeyInjector.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedHidPlatform.h"

namespace qv::test {

// Threads of this process, reader threads included.
inline int threadCount() {
  int count = 0;
  if (DIR* tasks = opendir("/proc/self/task")) {
    while (const dirent* entry = readdir(tasks)) {
      count += entry->d_name[0] != '.' ? 1 : 0;
    }
    closedir(tasks);
  }
  return count;
}

// The fakes below count instead of keeping, so that everything left growing
// after a storm belongs to the code under test.
class CountingInjector final : public KeyInjector {
 public:
  void inject(std::span<const KeyEvent> batch) override {
    ++batches;
    last.fill({});
    std::copy_n(batch.begin(), std::min(batch.size(), last.size()), last.begin());
  }
  int batches = 0;
  std::array<KeyEvent, 4> last{};
};

class CountingHistory final : public HistoryLog {
 public:
  void appendLine(const std::string& line) override {
    ++lines;
    readErrors += line.starts_with("READ ERROR: ") ? 1 : 0;
  }
  void clear() override {}
  int lines = 0;
  int readErrors = 0;
};

class CountingList final : public DeviceListView {
 public:
  void addDeviceEntry(const std::string& /*text*/) override { ++entries; }
  void clearDeviceEntries() override { entries = 0; }
  int selectedDeviceEntry() const override { return entries > 0 ? 0 : -1; }
  void selectDeviceEntry(int /*index*/) override {}
  void setReadButtonDown(bool /*down*/) override {}
  bool byteEditorsBuilt() const override { return false; }
  void showByteEditors(int /*count*/) override {}
  int entries = 0;
};

class NoIndicators final : public PanelIndicators {
 public:
  void setIndicatorVisible(std::string_view /*indicator*/, bool /*visible*/) override {}
};

inline ScriptedDeviceSpec mouseSpec() {
  ScriptedDeviceSpec traits;
  traits.ids = {0x046D, 0xC077, 0x0100};
  traits.product = u"Mouse";
  return traits;
}

// The main window's HID side: controller, panel binding and switch engine on
// scripted devices, the battery switch typing key code 71.
struct HidRig {
  HidRig() {
    // Stopping a reader takes up to one sleep time; short ones keep a storm short.
    controller.DevThreadSleepTime = 1;
    AddKeyToRec(engine.keyarray, 13, "N None", "71", "1", "0");
  }
  void firstScan() { loop.runPending(); }
  void rescan() {
    controller.DeviceChangeNotification(0);
    loop.runPending();
  }

  ScriptedHidPlatform platform;
  ManualEventLoop loop;
  CountingList list;
  CountingHistory history;
  NoIndicators indicators;
  CountingInjector injector;
  SwitchEngine engine{injector, history, indicators};
  THidDeviceController controller{platform, loop, nullptr};
  PanelBinding binding{controller, list, history,
                       [this](uint16_t vendorId, uint16_t productId, uint8_t ReportID,
                              const uint8_t* Data, uint16_t Size) {
                         if (throwOnReport) {
                           throw std::runtime_error("handler failed");
                         }
                         engine.ShowRead(vendorId, productId, ReportID, Data, Size);
                       }};
  bool throwOnReport = false;
};

}  // namespace qv::test
