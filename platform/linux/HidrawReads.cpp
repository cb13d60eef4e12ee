#include "platform/linux/HidrawReads.h"

#include <cerrno>

namespace qv {

HidReadOutcome readInputReport(bool numberedReports, uint8_t* buffer, size_t size,
                               const HidrawRead& read) {
  const size_t skip = numberedReports ? 0 : 1;
  if (size <= skip) {
    return {HidReadOutcome::Kind::Failed, 0, EINVAL};
  }
  buffer[0] = 0;
  errno = 0;
  const int result = read(buffer + skip, size - skip);
  if (result < 0) {
    // A hang-up leaves errno alone; the device has gone, as EIO tells.
    return {HidReadOutcome::Kind::Failed, 0, errno != 0 ? static_cast<uint32_t>(errno) : EIO};
  }
  if (result == 0) {
    return {HidReadOutcome::Kind::Timeout, 0, 0};
  }
  return {HidReadOutcome::Kind::Report, static_cast<uint32_t>(static_cast<size_t>(result) + skip),
          0};
}

}  // namespace qv
