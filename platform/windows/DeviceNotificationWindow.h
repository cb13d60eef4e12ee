#pragma once

#include <memory>

#include "platform/DeviceChangeSource.h"

namespace qv {

// "Device nodes changed" from the WM_DEVICECHANGE broadcast, received by a
// hidden top-level window (the system broadcasts to top-level windows only,
// so a message-only window would hear nothing). Create it on the thread that
// runs the message loop: that thread receives the broadcasts and runs the
// callback: once after a burst of notifications, from the thread's own loop,
// never inside the broadcast or a modal loop. Without the window nothing is
// ever reported.
std::unique_ptr<DeviceChangeSource> makeDeviceNotificationWindow();

}  // namespace qv
