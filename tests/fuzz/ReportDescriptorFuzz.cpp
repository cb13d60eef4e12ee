// Any bytes as a HID report descriptor; the sanitizers are the judges.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/linux/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static_cast<void>(qv::parseReportDescriptor(std::span(data, size)));
  return 0;
}
