#pragma once

#include <cstdint>
#include <span>

#include "platform/HidPlatform.h"

namespace qv {

struct ParsedReportDescriptor {
  // The largest report of each type plus the report-id byte, which is
  // counted even when the device does not number its reports.
  HidReportLengths lengths;
  // The descriptor declares report ids, so every report starts with one.
  bool numberedReports = false;
};

// Reads the main and global items of a HID report descriptor. A truncated
// last item ends the parse; what came before it counts.
ParsedReportDescriptor parseReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace qv
