#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qv {

// One synthetic key event: a Windows virtual-key code going down or up.
struct KeyEvent {
  uint16_t virtualKey = 0;
  bool keyUp = false;

  bool operator==(const KeyEvent&) const = default;
};

// Injects keyboard events into the desktop's input stream. Each call is one
// batch that enters the stream as an uninterrupted sequence; the outcome is
// not reported, as the caller never examines it.
class KeyInjector {
 public:
  virtual ~KeyInjector() = default;
  virtual void inject(std::span<const KeyEvent> batch) = 0;
  // Why keystrokes cannot reach the focused program, in a sentence for the
  // user, or empty while nothing is known to stop them. Asked after each batch.
  [[nodiscard]] virtual std::string deliveryProblem() const { return {}; }
};

}  // namespace qv
