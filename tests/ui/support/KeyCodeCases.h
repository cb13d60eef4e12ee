#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace qv::test {

// Keys pressed in the "Get Key Code" box, held down together in this order
// and let go in reverse, with the codes the box reports on the way down.
// Every toolkit backend runs them and must agree.
struct KeyCodeCase {
  std::string_view keys;
  std::vector<uint16_t> pressed;  // virtual-key codes
  std::vector<int> reported;
};

inline std::vector<KeyCodeCase> keyCodeCases() {
  return {{"G", {'G'}, {71}},
          {"Shift+G", {0x10, 'G'}, {16, 71}},
          {"Control+F5", {0x11, 0x74}, {17, 116}},
          {"Alt", {0x12}, {18}},
          {"F10", {0x79}, {121}},
          {"Alt+G", {0x12, 'G'}, {18, 71}}};
}

}  // namespace qv::test
