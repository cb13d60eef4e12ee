#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qv::standin {

// A message in the simulator's layout: the 12-byte header, then fields
// written at their byte offsets, little-endian.
class MessageBuilder {
 public:
  MessageBuilder(uint32_t id, uint32_t size);

  MessageBuilder& u32(uint32_t offset, uint32_t value);
  MessageBuilder& f64(uint32_t offset, double value);
  // Text in a field of fieldSize bytes, cut to leave room for its zero byte.
  MessageBuilder& text(uint32_t offset, uint32_t fieldSize, std::string_view value);

  [[nodiscard]] const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace qv::standin
