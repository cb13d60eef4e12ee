#pragma once

#include <cstdint>
#include <span>

namespace qv {

// A Windows virtual-key code and the Linux input key code that injecting it
// presses.
struct VirtualKeyCode {
  uint16_t virtualKey;
  uint16_t linuxKey;
};

// The same keyboard as the X11 map: letters, digits, function keys,
// modifiers, navigation and editing keys, numeric keypad and the US
// layout's punctuation, sorted by virtual-key code.
std::span<const VirtualKeyCode> linuxKeyTable();

// The Linux key code for a virtual-key code; 0 when the code has no key.
uint16_t linuxKeyForVirtualKey(uint16_t virtualKey);

}  // namespace qv
