#pragma once

#include <cstdint>
#include <span>

namespace qv {

// A Windows virtual-key code, the X keysym and the Linux input key code that
// injecting it presses (0 where the injector has no key for it).
struct VirtualKeyRow {
  uint16_t virtualKey;
  uint32_t keysym;
  uint16_t linuxKey;
};

// The whole keyboard, sorted by virtual-key code: letters, digits, function
// keys, modifiers, navigation and editing keys, numeric keypad and the US
// layout's punctuation.
std::span<const VirtualKeyRow> virtualKeyTable();

// The keysym for a virtual-key code; 0 when the code has no key.
uint32_t keysymForVirtualKey(uint16_t virtualKey);
// The Linux key code for a virtual-key code; 0 when the code has no key.
uint16_t linuxKeyForVirtualKey(uint16_t virtualKey);

}  // namespace qv
