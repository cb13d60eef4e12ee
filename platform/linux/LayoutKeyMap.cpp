#include "platform/linux/LayoutKeyMap.h"

#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <memory>

#include "platform/linux/VirtualKeyMap.h"

namespace qv {

namespace {

// xkb numbers the keys of an evdev keyboard as the kernel does, plus 8.
constexpr xkb_keycode_t kXkbOffset = 8;

struct XkbFree {
  void operator()(xkb_context* c) const { xkb_context_unref(c); }
  void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
  void operator()(xkb_state* s) const { xkb_state_unref(s); }
};
template <typename T>
using XkbPtr = std::unique_ptr<T, XkbFree>;

const char* nameOrDefault(const std::string& name) {
  return name.empty() ? nullptr : name.c_str();
}

bool isCharacter(uint32_t keysym) {
  return keysym > XKB_KEY_space && keysym <= XKB_KEY_asciitilde;
}

bool isLevel3Shift(xkb_keymap* keymap, xkb_keycode_t code) {
  const xkb_keysym_t* syms = nullptr;
  return xkb_keymap_key_get_syms_by_level(keymap, code, 0, 0, &syms) == 1 &&
         syms[0] == XKB_KEY_ISO_Level3_Shift;
}

// The layout's AltGr: the right Alt key where it is one, as on a real
// keyboard, else the first key that is; 0 where the layout has none.
uint16_t altGrKey(xkb_keymap* keymap) {
  if (isLevel3Shift(keymap, KEY_RIGHTALT + kXkbOffset)) {
    return KEY_RIGHTALT;
  }
  for (xkb_keycode_t code = std::max(xkb_keymap_min_keycode(keymap), kXkbOffset);
       code <= xkb_keymap_max_keycode(keymap) && code <= KEY_MAX + kXkbOffset; ++code) {
    if (isLevel3Shift(keymap, code)) {
      return static_cast<uint16_t>(code - kXkbOffset);
    }
  }
  return 0;
}

// For each wanted character, the first key that types it, trying no
// modifier first, then Shift, AltGr and both: the plainest way wins, and
// among keys of one way the main block comes before the keypad.
std::map<uint16_t, KeyStroke> strokesOnLayout(xkb_keymap* keymap) {
  std::map<uint32_t, uint16_t> wanted;  // keysym -> virtual key
  for (const VirtualKeyRow& e : virtualKeyTable()) {
    if (isCharacter(e.keysym)) {
      wanted.emplace(e.keysym, e.virtualKey);
    }
  }
  std::vector<std::array<uint16_t, 2>> ways{{0, 0}, {KEY_LEFTSHIFT, 0}};
  if (const uint16_t altGr = altGrKey(keymap); altGr != 0) {
    ways.push_back({altGr, 0});
    ways.push_back({KEY_LEFTSHIFT, altGr});
  }
  std::map<uint16_t, KeyStroke> strokes;
  for (const auto& modifiers : ways) {
    const XkbPtr<xkb_state> state(xkb_state_new(keymap));
    for (const uint16_t modifier : modifiers) {
      if (modifier != 0) {
        xkb_state_update_key(state.get(), modifier + kXkbOffset, XKB_KEY_DOWN);
      }
    }
    for (xkb_keycode_t code = std::max(xkb_keymap_min_keycode(keymap), kXkbOffset);
         code <= xkb_keymap_max_keycode(keymap) && code <= KEY_MAX + kXkbOffset; ++code) {
      const auto found = wanted.find(xkb_state_key_get_one_sym(state.get(), code));
      if (found != wanted.end()) {
        strokes.emplace(found->second,
                        KeyStroke{static_cast<uint16_t>(code - kXkbOffset), modifiers});
        wanted.erase(found);
      }
    }
  }
  return strokes;
}

}  // namespace

LayoutKeyMap::LayoutKeyMap(const KeyboardLayoutNames& names) {
  const XkbPtr<xkb_context> context(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
  if (!context) {
    return;
  }
  xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
  const xkb_rule_names ruleNames{nameOrDefault(names.rules), nameOrDefault(names.model),
                                 nameOrDefault(names.layout), nameOrDefault(names.variant),
                                 nameOrDefault(names.options)};
  const XkbPtr<xkb_keymap> keymap(
      xkb_keymap_new_from_names(context.get(), &ruleNames, XKB_KEYMAP_COMPILE_NO_FLAGS));
  if (keymap) {
    layoutStrokes_ = strokesOnLayout(keymap.get());
  }
}

KeyStroke LayoutKeyMap::strokeFor(uint16_t virtualKey) const {
  const auto found = layoutStrokes_.find(virtualKey);
  return found != layoutStrokes_.end() ? found->second
                                       : KeyStroke{linuxKeyForVirtualKey(virtualKey), {}};
}

std::vector<uint16_t> LayoutKeyMap::keys() const {
  std::vector<uint16_t> all;
  for (const VirtualKeyRow& e : virtualKeyTable()) {
    if (e.linuxKey != 0) {
      all.push_back(e.linuxKey);
    }
  }
  for (const auto& [virtualKey, stroke] : layoutStrokes_) {
    all.push_back(stroke.key);
    for (const uint16_t modifier : stroke.modifiers) {
      if (modifier != 0) {
        all.push_back(modifier);
      }
    }
  }
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  return all;
}

}  // namespace qv
