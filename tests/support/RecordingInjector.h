#pragma once

#include <vector>

#include "platform/KeyInjector.h"

namespace qv::test {

// Keeps every injected batch, in order.
class RecordingInjector final : public KeyInjector {
 public:
  void inject(std::span<const KeyEvent> batch) override {
    batches.emplace_back(batch.begin(), batch.end());
  }
  std::vector<std::vector<KeyEvent>> batches;
};

}  // namespace qv::test
