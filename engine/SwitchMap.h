#pragma once

#include <array>
#include <cstdint>

namespace qv {

struct TSwitchKey {
  int32_t keyno = 0;
  bool keystate = false;
  int32_t onfn = 0;
  int32_t offfn = 0;
};

inline constexpr int kSwitchCount = 24;

// Entries 1 to 24 by switch number; entry 0 is never used.
using SwitchKeys = std::array<TSwitchKey, kSwitchCount + 1>;

// The fixed switch map, every keystate false.
SwitchKeys buildSwitchKeys();

}  // namespace qv
