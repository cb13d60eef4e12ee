#include "sim/GearLights.h"

#include <array>

#include "engine/KeyTable.h"

namespace qv {

namespace {

int32_t legBits(double position, int32_t green, int32_t red) {
  if (position == 0.0) {
    return 0;
  }
  return position >= 100.0 ? green : red;
}

}  // namespace

int32_t gearLightByte(double nose, double left, double right) {
  return legBits(nose, 1, 8) + legBits(left, 2, 16) + legBits(right, 4, 32);
}

uint8_t patternLightByte(const std::string& pattern) {
  try {
    return static_cast<uint8_t>(StrToInt(pattern) & 0xFF);
  } catch (const ConversionError&) {
    // A record never built has no pattern; the lights go off rather than
    // the caller stopping.
    return 0;
  }
}

std::optional<uint32_t> patternCopyColour(std::string_view pattern) {
  struct Copy {
    std::string_view pattern;
    uint32_t colour;
  };
  static constexpr std::array<Copy, 4> kCopies{
      {{"0", 0xFFFFFF}, {"7", 0x008000}, {"56", 0x0000FF}, {"127", 0x00FFFF}}};
  for (const Copy& copy : kCopies) {
    if (copy.pattern == pattern) {
      return copy.colour;
    }
  }
  return std::nullopt;
}

}  // namespace qv
