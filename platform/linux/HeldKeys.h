#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <utility>
#include <vector>

#include "platform/KeyInjector.h"
#include "platform/linux/LayoutKeyMap.h"

namespace qv {

// One key of the uinput keyboard going down or up.
struct LinuxKeyEvent {
  uint16_t key = 0;
  bool down = false;

  bool operator==(const LinuxKeyEvent&) const = default;
};

// Turns batches of virtual keys into the uinput keyboard's key events.
// Several virtual keys can press one key (Shift 0x10 and Left Shift 0xA0,
// a character's Shift and a mapped Shift), so each key counts its holders:
// it goes down with the first and up with the last, and releasing one
// virtual key never lifts a key another still holds.
class HeldKeys {
 public:
  explicit HeldKeys(LayoutKeyMap map) : map_(std::move(map)) {}

  std::vector<LinuxKeyEvent> events(std::span<const KeyEvent> batch);

 private:
  void hold(uint16_t key, std::vector<LinuxKeyEvent>& out);
  void letGo(uint16_t key, std::vector<LinuxKeyEvent>& out);

  LayoutKeyMap map_;
  std::map<uint16_t, KeyStroke> down_;  // virtual keys held, with what they pressed
  std::map<uint16_t, int> holders_;     // keys held, with their number of holders
};

}  // namespace qv
