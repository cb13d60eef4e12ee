#pragma once

#include <memory>

#include "platform/HidPlatform.h"

namespace qv {

// HID access through hidapi's hidraw backend. Report lengths come from the
// node's report descriptor in sysfs, so a node the user may not open is still
// listed and described (query only).
std::unique_ptr<HidPlatform> makeHidapiPlatform();

}  // namespace qv
