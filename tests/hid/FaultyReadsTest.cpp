#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <utility>

#include "hid/THidDeviceReadThread.h"
#include "tests/hid/HidFaultRig.h"
#include "tests/support/HidTestSupport.h"
#include "tests/support/LiveAllocations.h"

namespace qv::test {
namespace {

using namespace std::chrono_literals;

class FaultyReads : public ::testing::Test {
 protected:
  // Reports the panel's battery switch going on and waits for its key.
  bool panelStillTypes(ScriptedDevice& panel) {
    const int batches = rig.injector.batches;
    panel.sendInput({0, 0x00, 0, 0});
    panel.sendInput({0, 0x01, 0, 0});
    return pumpUntil(rig.loop, [&] { return rig.injector.batches >= batches + 2; }) &&
           rig.injector.last[0] == KeyEvent{71, true};
  }

  HidRig rig;
};

TEST_F(FaultyReads, AReadErrorOnEveryReadIsLoggedEachTimeAndHoldsNoMemory) {
  rig.controller.DevThreadSleepTime = 1;  // as many failed reads as possible
  const auto panel = rig.platform.plugIn();
  const auto mouse = rig.platform.plugIn(mouseSpec());
  rig.firstScan();
  constexpr uint32_t kIoError = 5;
  panel->failReads(kIoError);
  mouse->failReads(kIoError);

  pumpFor(rig.loop, 300ms);
  const int64_t warm = liveAllocations();
  const int threads = threadCount();
  const int errorsWarm = rig.history.readErrors;
  pumpFor(rig.loop, 1500ms);
  const int64_t after = liveAllocations();

  EXPECT_GT(rig.history.readErrors - errorsWarm, 500) << "every failed read is reported";
  EXPECT_LE(after - warm, 16);
  EXPECT_EQ(threadCount(), threads);
  ASSERT_EQ(rig.binding.deviceCount(), 2);
  for (int i = 0; i < 2; ++i) {
    const THidDeviceReadThread* reader = rig.binding.deviceAt(i)->Reader();
    ASSERT_NE(reader, nullptr);
    EXPECT_FALSE(reader->Finished()) << "every reader keeps retrying";
  }

  panel->failReads(0);
  EXPECT_TRUE(panelStillTypes(*panel));
}

TEST_F(FaultyReads, AHandlerThatThrowsOnEveryReportEndsEachReaderAndHoldsNothing) {
  const auto panel = rig.platform.plugIn({}, "/dev/hidraw-panel");
  rig.firstScan();
  rig.throwOnReport = true;

  // Each rebuild (a mouse comes or goes) gives the panel a fresh record and
  // reader; each reader ends at the handler's throw.
  std::shared_ptr<ScriptedDevice> mouse;
  const auto round = [&] {
    if (mouse) {
      rig.platform.unplug(mouse);
      mouse.reset();
    } else {
      mouse = rig.platform.plugIn(mouseSpec());
    }
    rig.rescan();
    const THidDeviceReadThread* reader = rig.binding.SaitekSwitchPanel()->Reader();
    ASSERT_NE(reader, nullptr);
    panel->sendInput({0, 0x01, 0, 0});
    ASSERT_TRUE(pumpUntil(rig.loop, [&] { return reader->Finished(); }));
  };
  // Threads and handles once the mouse's reader (if any) has its channel.
  const auto held = [&] {
    EXPECT_TRUE(pumpUntil(rig.loop, [&] { return !mouse || mouse->openReadHandles() == 1; }));
    return std::pair{threadCount(), rig.platform.liveHandles()};
  };
  for (int i = 0; i < 200; ++i) {
    ASSERT_NO_FATAL_FAILURE(round());
  }
  const auto warmHeld = held();
  const int64_t warm = liveAllocations();
  for (int i = 0; i < 1000; ++i) {
    ASSERT_NO_FATAL_FAILURE(round());
  }
  EXPECT_EQ(held(), warmHeld) << "threads and handles";
  EXPECT_LE(liveAllocations() - warm, 16);
  EXPECT_EQ(rig.injector.batches, 0) << "no report got past the throwing handler";

  // The panel's record keeps its finished reader: nothing is read until the
  // next rebuild.
  rig.throwOnReport = false;
  const int lines = rig.history.lines;
  panel->sendInput({0, 0x00, 0, 0});
  pumpFor(rig.loop, 50ms);
  EXPECT_EQ(rig.history.lines, lines);
  rig.platform.unplug(panel);
  rig.rescan();
  const auto again = rig.platform.plugIn({}, "/dev/hidraw-panel");
  rig.rescan();
  EXPECT_TRUE(panelStillTypes(*again));
}

}  // namespace
}  // namespace qv::test
