#include "tests/windows/ui/PngFile.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>

namespace qv::test {

namespace {

uint32_t crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFU;
  for (const char c : bytes) {
    crc ^= static_cast<uint8_t>(c);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1U) ^ (0xEDB88320U & (0U - (crc & 1U)));
    }
  }
  return ~crc;
}

void bigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out += static_cast<char>((value >> static_cast<unsigned>(shift)) & 0xFFU);
  }
}

void chunk(std::ofstream& file, const char* type, const std::string& data) {
  std::string out;
  bigEndian(out, static_cast<uint32_t>(data.size()));
  const std::string typed = type + data;
  out += typed;
  bigEndian(out, crc32(typed));
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string stored(const std::string& raw) {
  constexpr size_t kBlock = 65535;
  std::string out("\x78\x01", 2);
  uint32_t a = 1;
  uint32_t b = 0;
  for (const char c : raw) {
    a = (a + static_cast<uint8_t>(c)) % 65521U;
    b = (b + a) % 65521U;
  }
  for (size_t at = 0; at == 0 || at < raw.size(); at += kBlock) {
    const size_t length = std::min(kBlock, raw.size() - at);
    const bool last = at + length >= raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(length & 0xFFU);
    out += static_cast<char>((length >> 8U) & 0xFFU);
    out += static_cast<char>(~length & 0xFFU);
    out += static_cast<char>((~length >> 8U) & 0xFFU);
    out.append(raw, at, length);
  }
  bigEndian(out, (b << 16U) | a);
  return out;
}

}  // namespace

void writePng(const std::filesystem::path& file, const Pixels& pixels) {
  std::string raw;
  raw.reserve(static_cast<size_t>(pixels.height) * (static_cast<size_t>(pixels.width) * 3 + 1));
  for (int y = 0; y < pixels.height; ++y) {
    raw += '\0';  // no filter
    for (int x = 0; x < pixels.width; ++x) {
      const uint32_t p = pixels.at(x, y);
      raw += static_cast<char>((p >> 16U) & 0xFFU);
      raw += static_cast<char>((p >> 8U) & 0xFFU);
      raw += static_cast<char>(p & 0xFFU);
    }
  }
  std::ofstream out(file, std::ios::binary);
  if (!out) {
    throw std::runtime_error("cannot write " + file.string());
  }
  out.write("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  bigEndian(header, static_cast<uint32_t>(pixels.width));
  bigEndian(header, static_cast<uint32_t>(pixels.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  chunk(out, "IHDR", header);
  chunk(out, "IDAT", stored(raw));
  chunk(out, "IEND", {});
}

}  // namespace qv::test
