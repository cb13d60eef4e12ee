#pragma once

#include <memory>

#include "platform/HidPlatform.h"

namespace qv {

// HID access through SetupAPI and HID.dll. Each appearance of an interface
// has an identity of its own (a device plugged in again gets a new one, even
// in the same port); reads are overlapped, so a reader waits on the read's
// completion and wakes at once when a report comes in.
// Create it on the thread that runs the message loop, which delivers the
// arrivals it counts.
std::unique_ptr<HidPlatform> makeSetupApiHidPlatform();

}  // namespace qv
