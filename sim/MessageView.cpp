#include "sim/MessageView.h"

#include <bit>
#include <cstring>

namespace qv {

std::optional<uint32_t> MessageView::u32(uint32_t offset) const {
  if (!holds(offset, 4)) {
    return std::nullopt;
  }
  uint32_t value = 0;
  for (uint32_t i = 0; i < 4; ++i) {
    value |= static_cast<uint32_t>(data_[offset + i]) << (8 * i);
  }
  return value;
}

double MessageView::f64(uint32_t offset) const {
  uint64_t bits = 0;
  for (uint32_t i = 0; i < 8; ++i) {
    bits |= static_cast<uint64_t>(data_[offset + i]) << (8 * i);
  }
  return std::bit_cast<double>(bits);
}

std::string MessageView::text(uint32_t offset, uint32_t fieldSize) const {
  const auto* start = reinterpret_cast<const char*>(data_ + offset);
  const void* zero = std::memchr(start, 0, fieldSize);
  const size_t length =
      zero == nullptr ? fieldSize : static_cast<size_t>(static_cast<const char*>(zero) - start);
  return {start, length};
}

}  // namespace qv
