#pragma once

#include <memory>

#include "platform/HidPlatform.h"

namespace qv {

// HID access through SetupAPI and HID.dll. An interface is identified by its
// device instance; reads are overlapped, so a reader waits on the read's
// completion and wakes at once when a report comes in.
std::unique_ptr<HidPlatform> makeSetupApiHidPlatform();

}  // namespace qv
