#include "platform/windows/SetupApiHidPlatform.h"

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: dbt.h uses its types.
#include <dbt.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwctype>
#include <future>
#include <set>
#include <thread>
#include <vector>

#include "hid/THidDeviceController.h"
#include "platform/windows/InterfaceArrivals.h"
#include "tests/windows/platform/MessagePump.h"
#include "ui/win32/Win32EventLoop.h"

namespace qv {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class SetupApiHid : public ::testing::Test {
 protected:
  // An interface that opens for reading and has input reports; Wine's
  // virtual mouse and keyboard do, but never send any here.
  std::optional<HidInterface> readable() {
    for (const HidInterface& present : interfaces) {
      const auto handle = platform->open(present.path, HidAccess::ReadWrite);
      if (!handle) {
        continue;
      }
      const auto lengths = handle->reportLengths();
      uint32_t error = 0;
      if (lengths && lengths->input > 0 && platform->openInput(present, error)) {
        return present;
      }
    }
    return std::nullopt;
  }

  std::unique_ptr<HidPlatform> platform = makeSetupApiHidPlatform();
  std::vector<HidInterface> interfaces = platform->presentInterfaces();
};

TEST_F(SetupApiHid, EveryPresentInterfaceIsIdentifiedAndDescribed) {
  ASSERT_TRUE(platform->available());
  std::set<uint32_t> instances;
  for (const HidInterface& present : interfaces) {
    SCOPED_TRACE(present.path);
    instances.insert(present.instanceId);
    EXPECT_EQ(present.path.rfind("\\\\?\\", 0), 0U);
    auto handle = platform->open(present.path, HidAccess::ReadWrite);
    if (!handle) {
      handle = platform->open(present.path, HidAccess::QueryOnly);
    }
    ASSERT_NE(handle, nullptr);
    const auto ids = handle->attributes();
    ASSERT_TRUE(ids.has_value());
    EXPECT_NE(ids->vendorId, 0);
    const auto lengths = handle->reportLengths();
    ASSERT_TRUE(lengths.has_value());
    EXPECT_GT(lengths->input + lengths->output + lengths->feature, 0);
  }
  EXPECT_EQ(instances.size(), interfaces.size());
  std::printf("%zu HID interfaces present\n", interfaces.size());
}

TEST_F(SetupApiHid, AnInterfaceThatArrivesAgainBetweenScansIsANewAppearance) {
  ASSERT_GE(interfaces.size(), 2U);
  // The platform's own counter: the only one of this process.
  const HWND counter =
      FindWindowExW(HWND_MESSAGE, nullptr, InterfaceArrivals::kWindowClass, nullptr);
  ASSERT_NE(counter, nullptr);
  // The first interface unplugged and back unseen; notices may spell it in upper case.
  std::vector<DWORD> notice(256);
  auto* const arrived = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(notice.data());
  arrived->dbcc_size = notice.size() * sizeof(DWORD);
  arrived->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  std::transform(interfaces[0].path.begin(), interfaces[0].path.end(), arrived->dbcc_name,
                 [](char c) { return std::towupper(static_cast<unsigned char>(c)); });
  SendMessageW(counter, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(arrived));

  const std::vector<HidInterface> again = platform->presentInterfaces();
  ASSERT_EQ(again.size(), interfaces.size());
  EXPECT_NE(again[0].instanceId, interfaces[0].instanceId);
  EXPECT_EQ(again[1].instanceId, interfaces[1].instanceId);
  EXPECT_EQ(platform->presentInterfaces()[0].instanceId, again[0].instanceId);
}

TEST_F(SetupApiHid, AnIdleReadStaysPendingAndAReaderStopsWithinOneSleepTime) {
  const auto device = readable();
  if (!device) {
    GTEST_SKIP() << "none of the " << interfaces.size() << " HID interfaces tried is readable";
  }
  // Read and close on one thread (CancelIo reaches only its own reads); a
  // pending read left uncancelled makes the closing wait forever.
  uint32_t error = 0;
  std::shared_ptr<HidInputChannel> channel = platform->openInput(*device, error);
  ASSERT_NE(channel, nullptr);
  std::promise<void> closed;
  auto idle = closed.get_future();
  std::thread([channel = std::move(channel), closed = std::move(closed)]() mutable {
    std::vector<uint8_t> report(64);
    const auto started = Clock::now();
    EXPECT_EQ(channel->read(report.data(), report.size(), 100).kind, HidReadOutcome::Kind::Timeout);
    EXPECT_GE(Clock::now() - started, milliseconds(90));
    EXPECT_EQ(channel->read(report.data(), report.size(), 0).kind, HidReadOutcome::Kind::Timeout);
    channel.reset();  // the pending read is cancelled here
    closed.set_value();
  }).detach();
  ASSERT_EQ(idle.wait_for(std::chrono::seconds(2)), std::future_status::ready)
      << "closing a channel with a read pending did not end";

  Win32EventLoop loop;
  THidDeviceController controller(*platform, loop, nullptr);
  controller.OnDeviceData = [](THidDevice&, uint8_t, const uint8_t*, uint16_t) {};
  ASSERT_TRUE(test::pumpMessagesUntil([&] { return controller.Count() > 0; }));
  int32_t index = -1;
  for (int32_t i = 0; i < controller.Count(); ++i) {
    if (controller.Device(i)->PnPInfo().DeviceID == device->instanceId) {
      index = i;
    }
  }
  THidDevice* record = nullptr;
  ASSERT_TRUE(controller.CheckOutByIndex(record, index));
  ASSERT_TRUE(record->HasReadWriteAccess());
  ASSERT_NE(record->Reader(), nullptr);
  // The reader's first read started just now, so its wait has most of one
  // ThreadSleepTime to go: the stop is seen when that wait ends.
  test::pumpMessagesFor(milliseconds(20));
  const auto stopping = Clock::now();
  controller.Release(record);
  const auto stopped = std::chrono::duration_cast<milliseconds>(Clock::now() - stopping);
  std::printf("reader stopped after %lld ms\n", static_cast<long long>(stopped.count()));
  EXPECT_LT(stopped, milliseconds(controller.DevThreadSleepTime + 50));
}

TEST_F(SetupApiHid, FeatureReportsFailOnWinesDevicesAndGoneDevicesAreRecognised) {
  if (const auto device = readable()) {
    const auto handle = platform->open(device->path, HidAccess::ReadWrite);
    ASSERT_NE(handle, nullptr);
    const uint8_t report[] = {0, 0, 0};
    EXPECT_FALSE(handle->setFeature(report, sizeof report));
  }
  uint32_t error = 0;
  EXPECT_EQ(platform->openInput({1, "\\\\?\\hid#qv_no_such_device#0"}, error), nullptr);
  EXPECT_TRUE(platform->deviceGone(error)) << error;
  EXPECT_FALSE(platform->errorText(error).empty());
  EXPECT_FALSE(platform->deviceGone(platform->closedHandleError()));
}

TEST_F(SetupApiHid, LanguageNamesComeFromTheSystem) {
  EXPECT_EQ(platform->languageName(0x0409), "English (United States)");
  EXPECT_EQ(platform->languageName(0x0407), "German (Germany)");
  EXPECT_EQ(platform->languageName(0x00FE), std::nullopt);
}

}  // namespace
}  // namespace qv
