#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "hid/THidDeviceController.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedHidPlatform.h"

namespace qv::test {

// Runs the loop, as the main thread would, until `done` holds; false when it
// does not within `limit`.
inline bool pumpUntil(ManualEventLoop& loop, const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    loop.runPending();
    if (done()) {
      return true;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// Runs the loop for a while, for checking that something does not happen.
inline void pumpFor(ManualEventLoop& loop, std::chrono::milliseconds span) {
  const auto until = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < until) {
    loop.runPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  loop.runPending();
}

// A controller on scripted devices, for tests of one device's record.
class ScriptedControllerTest : public ::testing::Test {
 protected:
  // Scans one device and checks it out.
  THidDevice& checkedOut(const ScriptedDeviceSpec& traits = {}) {
    device = platform.plugIn(traits);
    controller.DeviceChangeNotification(0);
    THidDevice* record = nullptr;
    EXPECT_TRUE(controller.CheckOutByIndex(record, controller.Count() - 1));
    return *record;
  }

  ScriptedHidPlatform platform;
  ManualEventLoop loop;
  THidDeviceController controller{platform, loop, nullptr};
  std::shared_ptr<ScriptedDevice> device;
};

}  // namespace qv::test
