#include "sim/XPlaneDatagrams.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace qv::xplane {

namespace {

constexpr size_t kHeaderSize = 5;
constexpr size_t kPairSize = 8;

void putInt32(uint8_t* at, uint32_t value) {
  for (size_t byte = 0; byte < 4; ++byte) {
    at[byte] = static_cast<uint8_t>(value >> (8 * byte));
  }
}

uint32_t int32At(const uint8_t* at) {
  uint32_t value = 0;
  for (size_t byte = 0; byte < 4; ++byte) {
    value |= static_cast<uint32_t>(at[byte]) << (8 * byte);
  }
  return value;
}

// The name, zero-padded; its last byte always stays 0.
void putName(uint8_t* at, size_t field, std::string_view name) {
  std::memcpy(at, name.data(), std::min(name.size(), field - 1));
}

}  // namespace

std::array<uint8_t, kSubscribeSize> subscribeRequest(int32_t perSecond, int32_t index,
                                                     std::string_view name) {
  std::array<uint8_t, kSubscribeSize> datagram{'R', 'R', 'E', 'F', 0};
  putInt32(&datagram.at(5), static_cast<uint32_t>(perSecond));
  putInt32(&datagram.at(9), static_cast<uint32_t>(index));
  putName(&datagram.at(13), kSubscribeNameSize, name);
  return datagram;
}

std::array<uint8_t, kWriteSize> writeRequest(float value, std::string_view path) {
  std::array<uint8_t, kWriteSize> datagram{'D', 'R', 'E', 'F', 0};
  putInt32(&datagram.at(5), std::bit_cast<uint32_t>(value));
  putName(&datagram.at(9), kWritePathSize, path);
  return datagram;
}

std::vector<DatarefValue> answerValues(const uint8_t* data, size_t size) {
  std::vector<DatarefValue> values;
  if (size < kHeaderSize || std::memcmp(data, "RREF", 4) != 0) {
    return values;
  }
  for (size_t at = kHeaderSize; at + kPairSize <= size; at += kPairSize) {
    values.push_back(
        {static_cast<int32_t>(int32At(data + at)), std::bit_cast<float>(int32At(data + at + 4))});
  }
  return values;
}

}  // namespace qv::xplane
