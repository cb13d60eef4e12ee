#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/HidPlatform.h"

namespace qv {

// The buffer's UTF-16 text up to its first NUL, as UTF-8; a unit that is not
// part of a valid pair becomes U+FFFD.
std::string textOf(const HidStringBuffer& buffer);

// The language ids of a language-id table read into a buffer first filled
// with 0xFFFF units: counted from the last unit that is not 0xFFFF, which is
// itself an id unless it is 0.
std::vector<uint16_t> languageIdsOf(const HidStringBuffer& table);

// printf-style text of one unsigned value, e.g. formatted("%.4X", 0x6A3).
std::string formatted(const char* format, unsigned value);

}  // namespace qv
