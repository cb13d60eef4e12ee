#include <gtest/gtest.h>
#include <linux/netlink.h>
#include <sys/socket.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "hid/THidDeviceController.h"
#include "platform/linux/HidapiPlatform.h"
#include "platform/linux/UdevHidrawMonitor.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/RecordingDescriptorWatch.h"

namespace qv {
namespace {

// The netlink multicast groups a monitor's socket listens to.
uint32_t listenedGroups(int fd) {
  sockaddr_nl address{};
  socklen_t length = sizeof address;
  EXPECT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
  return address.nl_groups;
}
constexpr uint32_t kKernelEvents = 1;

// The real platform on this machine, with whatever HID devices it has (none
// on a build machine).
TEST(LinuxHidPlatform, EnumeratesAndWatchesHidrawNodes) {
  const auto platform = makeHidapiPlatform();
  ASSERT_TRUE(platform->available());
  test::RecordingDescriptorWatch watch;
  const auto monitor = makeUdevHidrawMonitor(watch);
  EXPECT_FALSE(monitor->drainChanges());

  test::ManualEventLoop loop;
  THidDeviceController controller(*platform, loop, monitor.get());
  int changes = 0;
  int enumerated = 0;
  controller.OnDeviceChange = [&](THidDeviceController&) { ++changes; };
  controller.OnEnumerate = [&](THidDevice& device, int32_t) {
    ++enumerated;
    EXPECT_TRUE(device.IsPluggedIn());
    return true;
  };
  loop.runPending();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(controller.Enumerate(), controller.Count());
  EXPECT_EQ(enumerated, controller.Count());
  // Listening hands the monitor's socket to the main loop; a wake-up with
  // nothing new makes no rescan; stopping takes the socket back.
  EXPECT_EQ(watch.fd, -1);
  controller.ListenForDeviceChanges(true);
  ASSERT_GE(watch.fd, 0);
  watch.ready();
  EXPECT_EQ(changes, 1);
  controller.ListenForDeviceChanges(false);
  EXPECT_EQ(watch.fd, -1);
}

TEST(LinuxHidPlatform, HotPlugComesFromTheKernelWhereNoUdevdRuns) {
  test::RecordingDescriptorWatch watch;
  const auto withoutUdevd = makeUdevHidrawMonitor(watch, ::testing::TempDir() + "no-udev-control");
  withoutUdevd->setChangedCallback([] {});
  ASSERT_GE(watch.fd, 0);
  EXPECT_EQ(listenedGroups(watch.fd), kKernelEvents);
  EXPECT_FALSE(withoutUdevd->drainChanges());

  const std::string control = ::testing::TempDir() + "udev-control";
  std::ofstream{control}.put('\n');
  const auto withUdevd = makeUdevHidrawMonitor(watch, control);
  withUdevd->setChangedCallback([] {});
  ASSERT_GE(watch.fd, 0);
  EXPECT_NE(listenedGroups(watch.fd), kKernelEvents);
  std::filesystem::remove(control);
}

TEST(LinuxHidPlatform, ErrorsReadAsTheSystemsText) {
  const auto platform = makeHidapiPlatform();
  EXPECT_EQ(platform->errorText(EACCES), "Permission denied");
  EXPECT_EQ(platform->closedHandleError(), static_cast<uint32_t>(EBADF));
  uint32_t error = 0;
  EXPECT_EQ(platform->openInput({1, "/dev/hidraw-none"}, error), nullptr);
  EXPECT_NE(error, 0U);
  // A reader reopening a vanished node fails quietly.
  EXPECT_TRUE(platform->deviceGone(error));
  EXPECT_TRUE(platform->deviceGone(EIO));
  EXPECT_FALSE(platform->deviceGone(EACCES));
  EXPECT_EQ(platform->open("/dev/hidraw-none", HidAccess::QueryOnly), nullptr);
}

}  // namespace
}  // namespace qv
