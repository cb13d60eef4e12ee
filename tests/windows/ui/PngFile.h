#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace qv::test {

// A picture of 32-bit pixels as GDI keeps them (blue, green, red, unused),
// top row first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> bgrx;

  [[nodiscard]] uint32_t at(int x, int y) const {
    return bgrx.at(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x));
  }
};

// Red, green and blue of a pixel, as 0xRRGGBB.
constexpr uint32_t rgbOf(uint32_t bgrx) {
  return bgrx & 0xFFFFFFU;
}

// Writes `pixels` as an RGB PNG file, its image data stored uncompressed.
void writePng(const std::filesystem::path& file, const Pixels& pixels);

}  // namespace qv::test
