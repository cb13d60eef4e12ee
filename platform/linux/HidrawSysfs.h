#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HidPlatform.h"

namespace qv {

// The kernel's name of a HID device, "0003:06A3:0D67.0007": bus, vendor,
// product and a number it gives every HID device it adds, never reusing one
// until reboot, so a re-plugged device gets a new one even under the same
// node name.
struct HidDeviceName {
  uint16_t bus = 0;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint32_t instance = 0;
};

std::optional<HidDeviceName> parseHidDeviceName(std::string_view name);

// What sysfs tells about a hidraw node (/dev/hidrawN), readable without
// access to the node itself. The root is /sys; tests point it at a folder.
class HidrawSysfs {
 public:
  explicit HidrawSysfs(std::filesystem::path root = "/sys") : root_(std::move(root)) {}

  // The HID device behind the node, by its kernel name.
  [[nodiscard]] std::optional<HidDeviceName> device(const std::string& nodePath) const;
  [[nodiscard]] std::optional<std::vector<uint8_t>> reportDescriptor(
      const std::string& nodePath) const;
  // The report lengths its descriptor declares, and whether it numbers its
  // reports; nothing when the descriptor cannot be read.
  [[nodiscard]] std::optional<HidReportLengths> reportLengths(const std::string& nodePath) const;
  [[nodiscard]] bool numberedReports(const std::string& nodePath) const;

 private:
  [[nodiscard]] std::filesystem::path deviceDir(const std::string& nodePath) const;

  const std::filesystem::path root_;
};

}  // namespace qv
