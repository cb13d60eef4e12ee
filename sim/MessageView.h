#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// A received message read at fixed byte offsets, never past its size.
class MessageView {
 public:
  MessageView(const void* data, uint32_t size)
      : data_(static_cast<const uint8_t*>(data)), size_(data == nullptr ? 0 : size) {}

  // The message holds `count` bytes from `offset`.
  [[nodiscard]] bool holds(uint32_t offset, uint32_t count) const {
    return offset <= size_ && count <= size_ - offset;
  }
  // A little-endian 32-bit word; nothing when the message is too short.
  [[nodiscard]] std::optional<uint32_t> u32(uint32_t offset) const;
  // A little-endian IEEE double; the caller has checked holds().
  [[nodiscard]] double f64(uint32_t offset) const;
  // Single-byte text of a fixed-size field, up to its first zero byte or the
  // field's end; the caller has checked holds().
  [[nodiscard]] std::string text(uint32_t offset, uint32_t fieldSize) const;

 private:
  const uint8_t* data_;
  uint32_t size_;
};

}  // namespace qv
