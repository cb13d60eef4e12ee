#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "tests/support/ManualEventLoop.h"

namespace qv::test {

// Runs the loop, as the main thread would, until `done` holds; false when it
// does not within `limit`.
inline bool pumpUntil(ManualEventLoop& loop, const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    loop.runPending();
    if (done()) {
      return true;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// Runs the loop for a while, for checking that something does not happen.
inline void pumpFor(ManualEventLoop& loop, std::chrono::milliseconds span) {
  const auto until = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < until) {
    loop.runPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  loop.runPending();
}

}  // namespace qv::test
