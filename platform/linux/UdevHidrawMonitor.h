#pragma once

#include <memory>

#include "platform/DeviceChangeSource.h"

namespace qv {

// Hot-plug notifications for hidraw nodes from udev, sent after udev has
// applied its rules (and so the user's access to the node).
std::unique_ptr<DeviceChangeSource> makeUdevHidrawMonitor();

}  // namespace qv
