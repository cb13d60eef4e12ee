#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace qv::test {

// Runs this thread's message loop until `done` holds or `bound` has passed.
inline bool pumpMessagesUntil(const std::function<bool()>& done,
                              std::chrono::milliseconds bound = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + bound;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    static_cast<void>(MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT));
  }
  return true;
}

inline void pumpMessagesFor(std::chrono::milliseconds span) {
  static_cast<void>(pumpMessagesUntil([] { return false; }, span));
}

}  // namespace qv::test
