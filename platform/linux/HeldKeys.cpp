#include "platform/linux/HeldKeys.h"

namespace qv {

std::vector<LinuxKeyEvent> HeldKeys::events(std::span<const KeyEvent> batch) {
  std::vector<LinuxKeyEvent> out;
  for (const KeyEvent& e : batch) {
    const auto held = down_.find(e.virtualKey);
    if (!e.keyUp) {
      const KeyStroke stroke = map_.strokeFor(e.virtualKey);
      if (held != down_.end() || stroke.key == 0) {
        continue;  // already down, or no key for this code
      }
      // The layout's modifiers go down before the key they change.
      for (const uint16_t modifier : stroke.modifiers) {
        hold(modifier, out);
      }
      hold(stroke.key, out);
      down_.emplace(e.virtualKey, stroke);
    } else if (held != down_.end()) {
      const KeyStroke stroke = held->second;
      down_.erase(held);
      letGo(stroke.key, out);
      for (auto m = stroke.modifiers.rbegin(); m != stroke.modifiers.rend(); ++m) {
        letGo(*m, out);
      }
    }
  }
  return out;
}

void HeldKeys::hold(uint16_t key, std::vector<LinuxKeyEvent>& out) {
  if (key != 0 && holders_[key]++ == 0) {
    out.push_back({key, true});
  }
}

void HeldKeys::letGo(uint16_t key, std::vector<LinuxKeyEvent>& out) {
  const auto found = holders_.find(key);
  if (key == 0 || found == holders_.end()) {
    return;
  }
  if (--found->second == 0) {
    holders_.erase(found);
    out.push_back({key, false});
  }
}

}  // namespace qv
