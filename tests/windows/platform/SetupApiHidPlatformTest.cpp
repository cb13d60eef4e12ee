#include "platform/windows/SetupApiHidPlatform.h"

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: dbt.h uses its types.
#include <dbt.h>

#include <chrono>
#include <cstdio>
#include <cwctype>
#include <future>
#include <set>
#include <thread>
#include <vector>

#include "hid/THidDeviceController.h"
#include "platform/windows/InterfaceArrivals.h"
#include "platform/windows/Win32EventLoop.h"
#include "tests/windows/platform/MessagePump.h"

namespace qv {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct IdleReads {
  HidReadOutcome first;
  Clock::duration waited{};
  HidReadOutcome again;
};

class SetupApiHid : public ::testing::Test {
 protected:
  // An interface that opens for reading and has input reports; Wine's
  // virtual mouse and keyboard do, but never send any here. The log says how
  // many were tried, so a run that tested nothing shows.
  std::optional<HidInterface> readable() {
    int tried = 0;
    for (const HidInterface& present : interfaces) {
      ++tried;
      const auto handle = platform->open(present.path, HidAccess::ReadWrite);
      if (!handle) {
        continue;
      }
      const auto lengths = handle->reportLengths();
      uint32_t error = 0;
      if (lengths && lengths->input > 0 && platform->openInput(present.path, error)) {
        std::printf("reading %s, interface %d of %zu\n", present.path.c_str(), tried,
                    interfaces.size());
        return present;
      }
    }
    std::printf("no readable HID interface among the %d tried\n", tried);
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
  if (interfaces.empty()) {
    GTEST_SKIP() << "no HID interface present";
  }
  HWND counter = nullptr;
  do {
    counter = FindWindowExW(HWND_MESSAGE, counter, InterfaceArrivals::kWindowClass, nullptr);
  } while (counter != nullptr &&
           GetWindowThreadProcessId(counter, nullptr) != GetCurrentThreadId());
  ASSERT_NE(counter, nullptr);
  // The system's notice that the first interface arrived (unplugged and back
  // in the same port unseen), spelt in upper case as notices may be.
  std::wstring path;
  for (const char c : interfaces[0].path) {
    path += static_cast<wchar_t>(std::towupper(static_cast<unsigned char>(c)));
  }
  std::vector<DWORD> notice(
      (offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t)) /
          sizeof(DWORD) +
      1);
  auto* const arrived = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(notice.data());
  arrived->dbcc_size = static_cast<DWORD>(notice.size() * sizeof(DWORD));
  arrived->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  std::copy(path.begin(), path.end(), arrived->dbcc_name);
  SendMessageW(counter, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(arrived));

  const std::vector<HidInterface> again = platform->presentInterfaces();
  ASSERT_EQ(again.size(), interfaces.size());
  EXPECT_NE(again[0].instanceId, interfaces[0].instanceId);
  for (size_t i = 1; i < again.size(); ++i) {
    EXPECT_EQ(again[i].instanceId, interfaces[i].instanceId);
  }
  EXPECT_EQ(platform->presentInterfaces()[0].instanceId, again[0].instanceId);
}

TEST_F(SetupApiHid, AnIdleReadStaysPendingAndAReaderStopsWithinOneSleepTime) {
  const auto device = readable();
  if (!device) {
    GTEST_SKIP() << "no readable HID interface among the " << interfaces.size() << " present";
  }
  // Read and close on a thread of its own: CancelIo reaches only the reads
  // of the thread that started them, and closing a channel whose pending read
  // was not cancelled waits forever, so the wait for it here is bounded.
  uint32_t error = 0;
  std::shared_ptr<HidInputChannel> channel = platform->openInput(device->path, error);
  ASSERT_NE(channel, nullptr);
  std::promise<IdleReads> closed;
  auto idle = closed.get_future();
  std::thread([channel = std::move(channel), closed = std::move(closed)]() mutable {
    std::vector<uint8_t> report(64);
    IdleReads seen;
    const auto started = Clock::now();
    seen.first = channel->read(report.data(), report.size(), 100);
    seen.waited = Clock::now() - started;
    seen.again = channel->read(report.data(), report.size(), 0);
    channel.reset();  // the pending read is cancelled here
    closed.set_value(seen);
  }).detach();
  ASSERT_EQ(idle.wait_for(std::chrono::seconds(2)), std::future_status::ready)
      << "closing a channel with a read pending did not end";
  const IdleReads seen = idle.get();
  EXPECT_EQ(seen.first.kind, HidReadOutcome::Kind::Timeout);
  EXPECT_GE(seen.waited, milliseconds(90));
  EXPECT_EQ(seen.again.kind, HidReadOutcome::Kind::Timeout);

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
  EXPECT_EQ(platform->openInput("\\\\?\\hid#qv_no_such_device#0", error), nullptr);
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
