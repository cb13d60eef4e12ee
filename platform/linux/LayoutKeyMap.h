#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/linux/KeyboardLayout.h"

namespace qv {

// The Linux keys that give one virtual key: the key itself and the
// modifiers held around it (Shift, AltGr; 0 where none).
struct KeyStroke {
  uint16_t key = 0;
  std::array<uint16_t, 2> modifiers{};

  bool operator==(const KeyStroke&) const = default;
};

// Which keys the uinput keyboard presses for each virtual key. The desktop
// applies its layout to those keys, so a virtual key with a character (a
// letter, digit or punctuation mark) goes to the key, with Shift or AltGr
// if need be, that types that character on the layout. Keys without a
// character (function keys, arrows, modifiers, the keypad) and characters
// the layout lacks keep their US positions.
class LayoutKeyMap {
 public:
  // US positions throughout.
  LayoutKeyMap() = default;
  // Through the named layout; US positions if xkb cannot make it.
  explicit LayoutKeyMap(const KeyboardLayoutNames& names);

  // key 0: the virtual key has no key.
  [[nodiscard]] KeyStroke strokeFor(uint16_t virtualKey) const;
  // Every key and modifier a stroke of this map can press.
  [[nodiscard]] std::vector<uint16_t> keys() const;

 private:
  std::map<uint16_t, KeyStroke> layoutStrokes_;
};

}  // namespace qv
