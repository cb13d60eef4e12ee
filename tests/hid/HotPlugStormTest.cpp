#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "tests/hid/HidFaultRig.h"
#include "tests/support/HidTestSupport.h"
#include "tests/support/LiveAllocations.h"

namespace qv::test {
namespace {

// What is held while only the keyboard is present, compared before and after.
struct Holdings {
  int threads = 0;
  int handles = 0;
  int records = 0;
  int64_t allocations = 0;
};

class HotPlugStorm : public ::testing::Test {
 protected:
  void SetUp() override {
    // Present throughout and, like most HID devices, open only without
    // access rights: listed and checked out, never read.
    ScriptedDeviceSpec keyboard = mouseSpec();
    keyboard.product = u"Keyboard";
    keyboard.readWrite = false;
    rig.platform.plugIn(keyboard);
    rig.firstScan();
  }

  Holdings holdings() {
    rig.loop.runPending();
    return {threadCount(), rig.platform.liveHandles(), rig.controller.Count(), liveAllocations()};
  }

  // One arrival and departure of the panel and a mouse, both checked out by
  // the binding, the panel's reader left in one of three places.
  void cycle(int round) {
    const auto panel = rig.platform.plugIn({}, "/dev/hidraw-panel");
    // A reader thread costs most under the thread sanitizer, so the mouse
    // is readable in one round of four only.
    ScriptedDeviceSpec mouseTraits = mouseSpec();
    mouseTraits.readWrite = round % 4 == 0;
    const auto mouse = rig.platform.plugIn(mouseTraits);
    rig.rescan();
    ASSERT_NE(rig.binding.SaitekSwitchPanel(), nullptr);
    peakAllocations = std::max(peakAllocations, liveAllocations());
    const uint8_t battery = round % 2 == 0 ? 0x01 : 0x00;
    switch (round % 3) {
      case 0: {  // the report reaches the engine
        const int before = rig.history.lines;
        panel->sendInput({0, battery, 0, 0});
        ASSERT_TRUE(pumpUntil(rig.loop, [&] { return rig.history.lines >= before + 2; }));
        break;
      }
      case 1: {  // the reader has the report and waits for the main thread
        std::atomic<bool> read = false;
        panel->onReportCompleted([&read] { read = true; });
        panel->sendInput({0, battery, 0, 0});
        while (!read) {
          std::this_thread::yield();
        }
        panel->onReportCompleted(nullptr);
        break;
      }
      default:  // the reader waits in its read
        break;
    }
    rig.platform.unplug(panel);
    rig.platform.unplug(mouse);
    rig.rescan();
  }

  HidRig rig;
  int64_t peakAllocations = 0;
};

TEST_F(HotPlugStorm, TenThousandArrivalsLeaveNothingBehindAndThePanelStillDrivesTheEngine) {
  const Holdings start = holdings();
  constexpr int kWarmUp = 1000;
  constexpr int kCycles = 10000;
  for (int round = 0; round < kWarmUp; ++round) {
    ASSERT_NO_FATAL_FAILURE(cycle(round));
  }
  const Holdings warm = holdings();
  for (int round = kWarmUp; round < kCycles; ++round) {
    ASSERT_NO_FATAL_FAILURE(cycle(round));
  }
  const Holdings end = holdings();

  // Against the warm state: a sanitizer starts a thread of its own once the
  // first reader ran.
  EXPECT_EQ(end.threads, warm.threads) << "a reader thread outlived its record";
  EXPECT_EQ(end.handles, start.handles) << "a handle outlived its record";
  EXPECT_EQ(end.records, 1);
  EXPECT_EQ(rig.binding.deviceCount(), 1);
  EXPECT_EQ(rig.list.entries, 1);
  // The count moves with the records (so it counts), and 9,000 cycles leave
  // at most a few blocks of the containers' own slack behind.
  EXPECT_GT(peakAllocations, warm.allocations + 20);
  EXPECT_LE(end.allocations - warm.allocations, 16);

  const auto panel = rig.platform.plugIn({}, "/dev/hidraw-panel");
  rig.rescan();
  const int batches = rig.injector.batches;
  panel->sendInput({0, 0x00, 0, 0});
  panel->sendInput({0, 0x01, 0, 0});
  ASSERT_TRUE(pumpUntil(rig.loop, [&] { return rig.injector.batches >= batches + 2; }));
  EXPECT_EQ(rig.injector.last[0], (KeyEvent{71, true}));
}

}  // namespace
}  // namespace qv::test
