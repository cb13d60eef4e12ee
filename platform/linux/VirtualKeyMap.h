#pragma once

#include <cstdint>
#include <span>

namespace qv {

// A Windows virtual-key code and the X keysym that injecting it presses.
struct VirtualKeySym {
  uint16_t virtualKey;
  uint32_t keysym;
};

// The whole keyboard: letters, digits, function keys, modifiers, navigation
// and editing keys, numeric keypad and the US layout's punctuation.
std::span<const VirtualKeySym> virtualKeyTable();

// The keysym for a virtual-key code; 0 when the code has no key.
uint32_t keysymForVirtualKey(uint16_t virtualKey);

}  // namespace qv
