#include "engine/SwitchMap.h"

#include <cstddef>

namespace qv {

SwitchKeys buildSwitchKeys() {
  struct Functions {
    int32_t on;
    int32_t off;
  };
  // Switches 1 to 24: the function started on the on-edge and on the off-edge.
  static constexpr std::array<Functions, kSwitchCount> kMap{{
      {20, 33}, {19, 32}, {18, 31}, {17, 30}, {16, 29}, {15, 28}, {14, 27}, {13, 26},
      {10, 0},  {9, 0},   {8, 0},   {25, 38}, {24, 37}, {23, 36}, {22, 35}, {21, 34},
      {1, 0},   {1, 0},   {1, 0},   {1, 0},   {5, 0},   {1, 0},   {12, 0},  {11, 0},
  }};
  SwitchKeys keys{};
  for (int k = 1; k <= kSwitchCount; ++k) {
    const Functions& f = kMap.at(static_cast<size_t>(k - 1));
    keys.at(static_cast<size_t>(k)) = TSwitchKey{k, false, f.on, f.off};
  }
  return keys;
}

}  // namespace qv
