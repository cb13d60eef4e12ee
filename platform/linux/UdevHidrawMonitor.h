#pragma once

#include <memory>
#include <string>

#include "platform/DeviceChangeSource.h"
#include "platform/linux/DescriptorWatch.h"

namespace qv {

// The socket udevd listens on while it runs.
inline constexpr const char* kUdevControlPath = "/run/udev/control";

// Hot-plug notifications for hidraw nodes. While udevd runs (`udevControl`
// exists) they come from udev, after it has applied its rules (and so the
// user's access to the node); without udevd (containers, minimal systems)
// udev sends nothing, so they come straight from the kernel. The monitor's
// socket is watched by `watch` while a callback is set.
std::unique_ptr<DeviceChangeSource> makeUdevHidrawMonitor(
    DescriptorWatch& watch, const std::string& udevControl = kUdevControlPath);

}  // namespace qv
