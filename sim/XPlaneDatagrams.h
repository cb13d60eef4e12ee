#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qv::xplane {

// X-Plane's UDP dataref datagrams, little-endian.
inline constexpr size_t kSubscribeSize = 413;  // "RREF\0", int32 rate, int32 index, char[400]
inline constexpr size_t kSubscribeNameSize = 400;
inline constexpr size_t kWriteSize = 509;  // "DREF\0", float32 value, char[500]
inline constexpr size_t kWritePathSize = 500;

// Asks for `name` (`name[i]` for an array element) `perSecond` times a
// second under `index`; 0 per second stops it. A name too long for its
// field is cut.
std::array<uint8_t, kSubscribeSize> subscribeRequest(int32_t perSecond, int32_t index,
                                                     std::string_view name);
// Sets the dataref `path` to `value`.
std::array<uint8_t, kWriteSize> writeRequest(float value, std::string_view path);

struct DatarefValue {
  int32_t index;
  float value;
};
// The {index, value} pairs of an answer ("RREF" and one byte, then the
// pairs); nothing for any other datagram. A cut-off pair at the end is
// dropped.
std::vector<DatarefValue> answerValues(const uint8_t* data, size_t size);

}  // namespace qv::xplane
