#include "engine/SendKeys.h"

#include <algorithm>
#include <array>

#include "platform/KeyInjector.h"

namespace qv {

void sendkeys(char KS, const TKeyPressRec& rec, KeyInjector& injector) {
  const std::array<uint16_t, 3> codes{rec.key1, rec.key2, rec.key3};
  const size_t n = static_cast<size_t>(std::clamp(rec.keys, 0, 3));
  std::array<KeyEvent, 3> batch{};
  const auto emit = [&](bool up) {
    for (size_t i = 0; i < n; ++i) {
      batch.at(i) = KeyEvent{codes.at(i), up};
    }
    injector.inject(std::span<const KeyEvent>(batch.data(), n));
  };
  if (KS == 'D' || KS == 'P') {
    emit(false);
  }
  if (KS == 'U' || KS == 'P') {
    emit(true);
  }
}

}  // namespace qv
