#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The light byte of three gear positions in percent: a leg is dark at
// exactly 0, green at 100 or more and red anywhere else.
int32_t gearLightByte(double nose, double left, double right);

// The light byte a gear-light pattern (decimal text) asks for: its low
// 8 bits, or 0 for a text that is not a decimal number.
uint8_t patternLightByte(const std::string& pattern);

// The on-screen copies' colour (0x00BBGGRR) of the four known patterns;
// nothing for any other text.
std::optional<uint32_t> patternCopyColour(std::string_view pattern);

}  // namespace qv
