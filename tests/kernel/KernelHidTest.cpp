// The HID path against the running kernel: a virtual switch panel made
// through uhid, read through hidraw by the real platform layer. Runs inside
// the test VM (scripts/kernel-vm), as root, with or without udevd.
#include <gtest/gtest.h>
#include <libudev.h>
#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "diag/LightTest.h"
#include "platform/linux/HidrawSysfs.h"
#include "sim/GearLights.h"
#include "tests/kernel/KernelRig.h"
#include "tests/kernel/VirtualDevice.h"

namespace qv::test {
namespace {

using Batch = std::vector<KeyEvent>;
constexpr const char* kOtherName = "Quorvane Test Gadget";
constexpr uint16_t kOtherVendorId = 0x1209;

size_t threadCount() {
  const std::filesystem::directory_iterator tasks("/proc/self/task");
  return static_cast<size_t>(std::distance(begin(tasks), end(tasks)));
}

// With no device the rig runs on the main thread alone; each reader adds one.
// A joined thread stays listed until the kernel reaps it, a moment after the
// join returns, so a count is waited for rather than read once.
constexpr size_t kMainThreadOnly = 1;
bool threadsComeTo(KernelRig& rig, size_t count) {
  return rig.runUntil([&] { return threadCount() == count; });
}

// The hidraw nodes this process has open, one entry per descriptor.
std::vector<std::string> openHidrawNodes() {
  std::vector<std::string> nodes;
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::string target = std::filesystem::read_symlink(fd.path(), error).string();
    if (target.rfind("/dev/hidraw", 0) == 0) {
      nodes.push_back(target);
    }
  }
  return nodes;
}

// Also a handle on the node of a device that has gone, which the kernel
// names "<node> (deleted)".
bool holdsOpen(const std::string& node) {
  const std::vector<std::string> nodes = openHidrawNodes();
  return std::any_of(nodes.begin(), nodes.end(), [&](const std::string& open) {
    return open == node || open == node + " (deleted)";
  });
}

// What a failed wait saw, for its message.
std::string seen(const KernelRig& rig) {
  std::string text = "entries:";
  for (const std::string& entry : rig.list.entries) {
    text += " [" + entry + "]";
  }
  text += " open:";
  for (const std::string& node : openHidrawNodes()) {
    text += " " + node;
  }
  text += " records:";
  for (int32_t i = 0; i < rig.controller.Count(); ++i) {
    const THidDevice& device = *rig.controller.Device(i);
    text += " " + device.PnPInfo().DevicePath + (device.HasReadWriteAccess() ? " rw" : " q") +
            (device.Reader() != nullptr ? " reader" : "");
  }
  text += " history:";
  for (const std::string& line : rig.history.lines) {
    text += " [" + line + "]";
  }
  return text + (rig.panelBound() ? " bound" : " unbound");
}

// Sends an input report until the engine's handler has one more report of
// the device's maker: the kernel keeps no report for a reader that has not
// opened the node yet. A repeated report equals the one before it and starts
// nothing.
void sendUntilHandled(KernelRig& rig, VirtualDevice& device, uint16_t vendorId,
                      const std::string& report) {
  const auto handled = [&] {
    return std::count_if(rig.reports.begin(), rig.reports.end(),
                         [&](const ReceivedReport& r) { return r.vendorId == vendorId; });
  };
  const auto before = handled();
  for (int attempt = 0; attempt < 250 && handled() == before; ++attempt) {
    device.step("input " + report);
    static_cast<void>(
        rig.runUntil([&] { return handled() > before; }, std::chrono::milliseconds(20)));
  }
  ASSERT_GT(handled(), before) << "input " << report << ": " << seen(rig);
}

size_t openDescriptorCount() {
  const std::filesystem::directory_iterator fds("/proc/self/fd");
  return static_cast<size_t>(std::distance(begin(fds), end(fds)));
}

TEST(KernelHid, PanelIsListedBoundReadAndLit) {
  KernelRig rig;
  VirtualDevice panel;
  panel.step("create panel");
  ASSERT_TRUE(rig.runUntil([&] { return rig.panelBound(); })) << seen(rig);

  THidDevice& record = *rig.binding.SaitekSwitchPanel();
  EXPECT_EQ(rig.list.entries, std::vector<std::string>{kPanelProductName});
  EXPECT_EQ(record.Attributes().VendorID, 0x06A3);
  EXPECT_EQ(record.Attributes().ProductID, 0x0D67);
  EXPECT_EQ(record.Caps().InputReportByteLength, 4);
  EXPECT_EQ(record.Caps().OutputReportByteLength, 0);
  EXPECT_EQ(record.Caps().FeatureReportByteLength, 5);
  // The selection after the rebuild asked the panel for its input report.
  EXPECT_EQ(panel.awaitLine("get-report"), "get-report 2 0");
  EXPECT_EQ(rig.history.lines, std::vector<std::string>{"I 00  00 00 00 "});

  // Switch 8 on at start is the resting state and starts nothing.
  rig.mapKey(26, 65);  // switch 8 off
  rig.mapKey(20, 66);  // switch 1 on
  ASSERT_NO_FATAL_FAILURE(sendUntilHandled(rig, panel, kPanelVendorId, "01 00 00"));
  EXPECT_TRUE(rig.engine.panelinit);
  EXPECT_EQ(rig.engine.panelkey1, 1);
  EXPECT_TRUE(rig.injector.batches.empty());
  EXPECT_EQ(rig.reports[0].reportId, 0);
  EXPECT_EQ(rig.reports[0].data, (std::vector<uint8_t>{0x01, 0x00, 0x00}));

  // Switch 1 on and switch 8 off in one report: their keys in switch order.
  panel.step("input 80 00 00");
  ASSERT_TRUE(rig.runUntil([&] { return rig.injector.batches.size() >= 4; })) << seen(rig);
  EXPECT_EQ(rig.injector.batches,
            (std::vector<Batch>{{{66, false}}, {{66, true}}, {{65, false}}, {{65, true}}}));

  // The gear lights and the light test: report id 0, the light byte, the
  // second byte, zeros up to the feature report's length.
  rig.link.LG_Send(gearLightByte(100.0, 100.0, 50.0));
  EXPECT_EQ(panel.awaitLine("set-report"), "set-report 0 0 00 23 00 00 00");
  runLightTest(&rig.binding, &rig.history, lightTestByte(kLightAmber, kLightRed, kLightGreen),
               0x5A);
  EXPECT_EQ(panel.awaitLine("set-report"), "set-report 0 0 00 2B 5A 00 00");
}

TEST(KernelHid, UnplugAndReplugRebuildTheListAndKeepTheSwitchStates) {
  KernelRig rig;
  VirtualDevice other;
  VirtualDevice panel;
  other.step("create other");
  panel.step("create panel");
  ASSERT_TRUE(rig.runUntil([&] { return rig.panelBound() && rig.list.entries.size() == 2; }))
      << seen(rig);
  EXPECT_TRUE(threadsComeTo(rig, kMainThreadOnly + 2)) << threadCount() << " threads";
  const std::string panelNode = rig.binding.SaitekSwitchPanel()->PnPInfo().DevicePath;

  // The other device numbers its reports; they reach the handler with their
  // id and are dropped by the engine.
  ASSERT_NO_FATAL_FAILURE(sendUntilHandled(rig, other, kOtherVendorId, "01 11 22 33 44"));
  EXPECT_EQ(rig.reports[0].vendorId, kOtherVendorId);
  EXPECT_EQ(rig.reports[0].reportId, 1);
  EXPECT_EQ(rig.reports[0].data, (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x44}));
  EXPECT_FALSE(rig.engine.panelinit);

  ASSERT_NO_FATAL_FAILURE(sendUntilHandled(rig, panel, kPanelVendorId, "00 00 00"));
  EXPECT_TRUE(rig.engine.panelinit);

  panel.step("destroy");
  ASSERT_TRUE(rig.runUntil([&] { return !rig.panelBound() && rig.list.entries.size() == 1; }))
      << seen(rig);
  EXPECT_EQ(rig.list.entries, std::vector<std::string>{kOtherName});
  EXPECT_EQ(rig.controller.Count(), 1);
  EXPECT_TRUE(threadsComeTo(rig, kMainThreadOnly + 1)) << threadCount() << " threads";
  EXPECT_FALSE(holdsOpen(panelNode)) << seen(rig);

  panel.step("create panel");
  ASSERT_TRUE(rig.runUntil([&] { return rig.panelBound() && rig.list.entries.size() == 2; }))
      << seen(rig);
  EXPECT_EQ(rig.list.entries.back(), kPanelProductName);
  EXPECT_EQ(rig.binding.deviceAt(1), rig.binding.SaitekSwitchPanel());

  // The first report after the re-plug is compared with the states from
  // before it, not taken as a new resting state.
  rig.mapKey(20, 66);
  ASSERT_NO_FATAL_FAILURE(sendUntilHandled(rig, panel, kPanelVendorId, "80 00 00"));
  EXPECT_EQ(rig.injector.batches, (std::vector<Batch>{{{66, false}}, {{66, true}}}));
}

TEST(KernelHid, ManyUnplugsLeaveNoReaderHandleOrRecord) {
  constexpr int kCycles = 200;
  KernelRig rig;
  ASSERT_TRUE(rig.runUntil([&] { return rig.list.entries.empty(); }));
  ASSERT_TRUE(threadsComeTo(rig, kMainThreadOnly)) << threadCount() << " threads";
  VirtualDevice panel;
  const size_t descriptors = openDescriptorCount();
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    panel.step("create panel");
    ASSERT_TRUE(rig.runUntil([&] { return rig.panelBound(); })) << "plug " << cycle << seen(rig);
    // Unplugged while the reader waits in its read. (hidapi 0.13 cannot be
    // unplugged safely while it opens a node: it uses the device it has just
    // freed when the node goes between its open and its first request.)
    ASSERT_NO_FATAL_FAILURE(
        sendUntilHandled(rig, panel, kPanelVendorId, cycle % 2 == 0 ? "01 00 00" : "00 00 00"));
    panel.step("destroy");
    ASSERT_TRUE(rig.runUntil([&] { return !rig.panelBound() && rig.controller.Count() == 0; }))
        << "unplug " << cycle << seen(rig);
  }
  EXPECT_TRUE(rig.list.entries.empty());
  EXPECT_TRUE(openHidrawNodes().empty());
  EXPECT_TRUE(threadsComeTo(rig, kMainThreadOnly)) << threadCount() << " threads";
  EXPECT_EQ(openDescriptorCount(), descriptors);
}

// Where no hot-plug notification arrives, the panel's record stays checked
// out and its reader keeps trying the node, which the kernel gives the next
// device plugged in.
TEST(KernelHid, AnotherDeviceAtThePanelsOldNodeIsNeverRead) {
  KernelRig rig;
  VirtualDevice panel;
  panel.step("create panel");
  ASSERT_TRUE(rig.runUntil([&] { return rig.panelBound(); })) << seen(rig);
  const std::string node = rig.binding.SaitekSwitchPanel()->PnPInfo().DevicePath;
  rig.mapKey(20, 66);  // switch 1 on
  ASSERT_NO_FATAL_FAILURE(sendUntilHandled(rig, panel, kPanelVendorId, "00 00 00"));

  // A string fetch closes the record's own handle, which would keep the node.
  static_cast<void>(rig.binding.SaitekSwitchPanel()->LanguageStrings());
  rig.watchDeviceChanges = false;
  panel.step("destroy");
  VirtualDevice other;
  other.step("create other");
  const HidrawSysfs sysfs;
  ASSERT_TRUE(rig.runUntil([&] {
    const auto device = sysfs.device(node);
    return device && device->vendorId == kOtherVendorId;
  })) << node
      << seen(rig);
  // A reader that took the node would have it open within a retry or two;
  // the other device's report 1 would then read as switch 1 on.
  static_cast<void>(rig.runUntil([&] { return holdsOpen(node); }, std::chrono::seconds(1)));
  for (int i = 0; i < 50 && rig.injector.batches.empty(); ++i) {
    other.step("input 01 80 00 00 00");
    static_cast<void>(
        rig.runUntil([&] { return !rig.injector.batches.empty(); }, std::chrono::milliseconds(20)));
  }
  EXPECT_TRUE(rig.injector.batches.empty()) << seen(rig);
  EXPECT_FALSE(holdsOpen(node)) << seen(rig);
}

// A hot-plug storm overflows the monitor's socket; the messages lost may
// have told of any change. Root may send to the monitor's group, so the test
// makes the storm itself.
TEST(KernelHid, ALostHotPlugMessageCountsAsAChange) {
  RecordingDescriptorWatch watch;
  const auto monitor = makeUdevHidrawMonitor(watch);
  monitor->setChangedCallback([] {});
  const int fd = watch.fd;
  ASSERT_GE(fd, 0);
  const int smallest = 1;  // the kernel makes it its minimum
  ASSERT_EQ(setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &smallest, sizeof smallest), 0);
  sockaddr_nl listening{};
  socklen_t length = sizeof listening;
  ASSERT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&listening), &length), 0);

  const int storm = socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
  ASSERT_GE(storm, 0);
  sockaddr_nl group{};
  group.nl_family = AF_NETLINK;
  group.nl_groups = listening.nl_groups;
  const std::string message = "add@/devices/virtual/storm";
  for (int i = 0; i < 200; ++i) {
    ASSERT_GE(sendto(storm, message.c_str(), message.size() + 1, 0,
                     reinterpret_cast<const sockaddr*>(&group), sizeof group),
              0)
        << "errno " << errno;
  }
  close(storm);
  EXPECT_TRUE(monitor->drainChanges());
}

// The udev rule tags the panel's node for the user at the seat; needs udevd.
TEST(KernelHidUdev, RuleGivesThePanelsNodeToTheSeatUser) {
  KernelRig rig;
  VirtualDevice panel;
  panel.step("create panel");
  ASSERT_TRUE(rig.runUntil([&] { return rig.panelBound(); })) << seen(rig);
  const std::string node = rig.binding.SaitekSwitchPanel()->PnPInfo().DevicePath;
  udev* context = udev_new();
  ASSERT_NE(context, nullptr);
  bool tagged = false;
  ASSERT_TRUE(rig.runUntil(
      [&] {
        udev_device* device = udev_device_new_from_subsystem_sysname(
            context, "hidraw", std::filesystem::path(node).filename().c_str());
        tagged = device != nullptr && udev_device_has_tag(device, "uaccess") != 0;
        if (device != nullptr) {
          udev_device_unref(device);
        }
        return tagged;
      },
      std::chrono::seconds(5)))
      << node;
  udev_unref(context);
}

}  // namespace
}  // namespace qv::test
