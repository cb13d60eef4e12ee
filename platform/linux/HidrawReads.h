#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/HidPlatform.h"

namespace qv {

// One read as hidapi gives it: the bytes read, 0 on timeout, -1 on failure
// with errno set, or without errno when the device hung up.
using HidrawRead = std::function<int(uint8_t* into, size_t room)>;

// Reads one input report into `buffer` in the core's form: report id first.
// hidraw leaves out the id of a device that does not number its reports, so
// for such a device the read lands after a 0 byte and counts it.
HidReadOutcome readInputReport(bool numberedReports, uint8_t* buffer, size_t size,
                               const HidrawRead& read);

}  // namespace qv
