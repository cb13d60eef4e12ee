#include "standin/MessageBuilder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace qv::standin {

namespace {
constexpr uint32_t kInterfaceVersion = 4;
}  // namespace

MessageBuilder::MessageBuilder(uint32_t id, uint32_t size) : bytes_(size, 0) {
  u32(0, size);
  u32(4, kInterfaceVersion);
  u32(8, id);
}

MessageBuilder& MessageBuilder::u32(uint32_t offset, uint32_t value) {
  for (uint32_t i = 0; i < 4; ++i) {
    bytes_.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
  }
  return *this;
}

MessageBuilder& MessageBuilder::f64(uint32_t offset, double value) {
  const auto bits = std::bit_cast<uint64_t>(value);
  for (uint32_t i = 0; i < 8; ++i) {
    bytes_.at(offset + i) = static_cast<uint8_t>(bits >> (8 * i));
  }
  return *this;
}

MessageBuilder& MessageBuilder::text(uint32_t offset, uint32_t fieldSize, std::string_view value) {
  const size_t length = std::min<size_t>(value.size(), fieldSize - 1);
  std::memcpy(&bytes_.at(offset), value.data(), length);
  return *this;
}

}  // namespace qv::standin
