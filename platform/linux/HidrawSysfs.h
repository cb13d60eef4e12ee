#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// What sysfs tells about a hidraw node (/dev/hidrawN), readable without
// access to the node itself.

// The kernel numbers every HID device it adds ("0003:06A3:0D67.0007"), never
// reusing a number until reboot, so a re-plugged device gets a new one even
// under the same node name.
std::optional<uint32_t> hidrawInstanceId(const std::string& nodePath);

std::optional<std::vector<uint8_t>> hidrawReportDescriptor(const std::string& nodePath);

}  // namespace qv
