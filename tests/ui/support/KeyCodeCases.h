#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qv::test {

// Keys pressed in the "Get Key Code" box (virtual-key codes, held down in
// this order) and the code it then shows. Every toolkit backend must agree.
struct KeyCodeCase {
  std::string_view keys;
  std::vector<uint16_t> pressed;
  int shown;
};

inline std::vector<KeyCodeCase> keyCodeCases() {
  return {{"Shift+G", {0x10, 'G'}, 71}, {"Control+F5", {0x11, 0x74}, 116},
          {"Alt", {0x12}, 18},          {"F10", {0x79}, 121},
          {"Shift", {0x10}, 16},        {"Alt+G", {0x12, 'G'}, 71}};
}

}  // namespace qv::test
