#include "platform/linux/HidrawSysfs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

// A sysfs tree as the kernel lays out a hidraw node of a HID device.
class FakeSysfs {
 public:
  FakeSysfs() : root_(fs::temp_directory_path() / ("qv-sysfs-" + std::to_string(getpid()))) {
    fs::remove_all(root_);
    fs::create_directories(root_ / "class/hidraw");
  }
  ~FakeSysfs() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  FakeSysfs(const FakeSysfs&) = delete;
  FakeSysfs& operator=(const FakeSysfs&) = delete;

  void addNode(const std::string& node, const std::string& hidDevice,
               const std::vector<uint8_t>& descriptor) {
    const fs::path device = root_ / "devices/virtual/misc/uhid" / hidDevice;
    fs::create_directories(device / "hidraw" / node);
    std::ofstream(device / "report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(descriptor.data()),
               static_cast<std::streamsize>(descriptor.size()));
    fs::create_directory_symlink(fs::path("../../../") / hidDevice,
                                 device / "hidraw" / node / "device");
    fs::create_directory_symlink(
        fs::path("../../devices/virtual/misc/uhid") / hidDevice / "hidraw" / node,
        root_ / "class/hidraw" / node);
  }
  [[nodiscard]] const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

const std::vector<uint8_t>
    kPanelDescriptor{
        0x05, 0x01, 0x09, 0x00, 0xA1, 0x01, 0x05, 0x09, 0x19, 0x01, 0x29,
        0x18, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x18, 0x81, 0x02,  // 24 switch bits in
        0x06, 0x00, 0xFF, 0x09, 0x01, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95,
        0x04, 0xB1, 0x02, 0xC0,  // 4 bytes of feature
    };
const std::vector<uint8_t> kNumberedDescriptor{
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF,
    0x00, 0x75, 0x08, 0x85, 0x01, 0x09, 0x02, 0x95, 0x04, 0x81, 0x02,  // report 1: 4 bytes in
    0xC0,
};

TEST(HidrawSysfs, NodeIsDescribedByItsHidDevice) {
  FakeSysfs sysfs;
  sysfs.addNode("hidraw3", "0003:06A3:0D67.0007", kPanelDescriptor);
  sysfs.addNode("hidraw4", "0005:1209:0001.000A", kNumberedDescriptor);
  const HidrawSysfs reader(sysfs.root());

  const auto panel = reader.device("/dev/hidraw3");
  ASSERT_TRUE(panel.has_value());
  EXPECT_EQ(panel->bus, 3);
  EXPECT_EQ(panel->vendorId, 0x06A3);
  EXPECT_EQ(panel->productId, 0x0D67);
  EXPECT_EQ(panel->instance, 7U);
  EXPECT_EQ(reader.reportDescriptor("/dev/hidraw3"), kPanelDescriptor);
  const auto lengths = reader.reportLengths("/dev/hidraw3");
  ASSERT_TRUE(lengths.has_value());
  EXPECT_EQ(lengths->input, 4);
  EXPECT_EQ(lengths->output, 0);
  EXPECT_EQ(lengths->feature, 5);
  EXPECT_FALSE(reader.numberedReports("/dev/hidraw3"));

  EXPECT_EQ(reader.device("/dev/hidraw4")->instance, 10U);
  EXPECT_TRUE(reader.numberedReports("/dev/hidraw4"));
}

TEST(HidrawSysfs, GoneNodeHasNothing) {
  FakeSysfs sysfs;
  const HidrawSysfs reader(sysfs.root());
  EXPECT_FALSE(reader.device("/dev/hidraw0").has_value());
  EXPECT_FALSE(reader.reportDescriptor("/dev/hidraw0").has_value());
  EXPECT_FALSE(reader.reportLengths("/dev/hidraw0").has_value());
  EXPECT_FALSE(reader.numberedReports("/dev/hidraw0"));
}

TEST(HidrawSysfs, DeviceNamesOfTheKernelOnly) {
  const auto big = parseHidDeviceName("0005:046D:B01A.10000");
  ASSERT_TRUE(big.has_value());
  EXPECT_EQ(big->bus, 5);
  EXPECT_EQ(big->vendorId, 0x046D);
  EXPECT_EQ(big->productId, 0xB01A);
  EXPECT_EQ(big->instance, 0x10000U);
  for (const char* name : {"0003:06A3:0D67", "0003:06A3:0D67.", "0003:6A3:0D67.0001",
                           "0003:06A3:0D67.00G1", "0003-06A3-0D67.0001", "input7", ""}) {
    EXPECT_FALSE(parseHidDeviceName(name).has_value()) << name;
  }
}

}  // namespace
}  // namespace qv
