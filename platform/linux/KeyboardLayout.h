#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The XKB names that select a keyboard layout; empty ones take xkb's
// defaults.
struct KeyboardLayoutNames {
  std::string rules;
  std::string model;
  std::string layout;
  std::string variant;
  std::string options;

  bool operator==(const KeyboardLayoutNames&) const = default;
};

// The layout the desktop applies to the keys the uinput keyboard presses:
// the X server's where $DISPLAY has one, else the system's keyboard
// settings, else xkb's defaults. A Wayland session skips the X server:
// XWayland names its defaults there, not the compositor's layout.
KeyboardLayoutNames systemKeyboardLayout(bool waylandSession);

// The X server's names, from the root window's _XKB_RULES_NAMES; nothing
// without a display, the property or a layout in it.
std::optional<KeyboardLayoutNames> xServerKeyboardLayout();

// The names in the text of /etc/default/keyboard (XKBMODEL, XKBLAYOUT,
// XKBVARIANT, XKBOPTIONS as shell assignments).
KeyboardLayoutNames parseKeyboardSettings(std::string_view text);

}  // namespace qv
