#include "engine/SendKeys.h"

#include <algorithm>
#include <array>

#include "platform/KeyInjector.h"

namespace qv {

void sendkeys(char KS, const TKeyPressRec& rec, KeyInjector& injector) {
  sendkeys(KS, keyCodes(rec), injector);
}

void sendkeys(char KS, std::span<const uint16_t> codes, KeyInjector& injector) {
  std::vector<KeyEvent> batch(codes.size());
  const auto emit = [&](bool up) {
    for (size_t i = 0; i < codes.size(); ++i) {
      batch[i] = KeyEvent{codes[i], up};
    }
    injector.inject(batch);
  };
  if (KS == 'D' || KS == 'P') {
    emit(false);
  }
  if (KS == 'U' || KS == 'P') {
    emit(true);
  }
}

std::vector<uint16_t> keyCodes(const TKeyPressRec& rec) {
  const std::array<uint16_t, 3> codes{rec.key1, rec.key2, rec.key3};
  const auto n = static_cast<std::ptrdiff_t>(std::clamp(rec.keys, 0, 3));
  return {codes.begin(), codes.begin() + n};
}

}  // namespace qv
