// gtest before Xlib: Xlib's macros (None, Bool) break gtest's headers.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
// clang-format on

#include "platform/linux/SessionKeyInjector.h"
#include "platform/linux/UinputKeyMap.h"
#include "platform/linux/VirtualKeyMap.h"

namespace qv {
namespace {

// The X server's evdev keymap numbers its keys as the kernel does, plus 8:
// an independent table to hold the uinput map against.
TEST(UinputKeyMap, PressesTheKeyTheXServerPressesForEachCode) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "this test needs an X server ($DISPLAY)";
  int compared = 0;
  for (const VirtualKeySym& e : virtualKeyTable()) {
    const uint16_t linuxKey = linuxKeyForVirtualKey(e.virtualKey);
    // Execute has no key on a PC keyboard; Print is the old print key, not
    // Print Screen, which X also names Print.
    if (e.virtualKey == 0x2B || e.virtualKey == 0x2A) {
      continue;
    }
    EXPECT_NE(linuxKey, 0) << "virtual key " << e.virtualKey;
    const KeyCode code = XKeysymToKeycode(display, e.keysym);
    // X finds KP_Decimal first on the keypad's comma key, not on its dot.
    if (code != 0 && e.virtualKey != 0x6E) {
      EXPECT_EQ(linuxKey + 8, code) << "virtual key " << e.virtualKey;
      ++compared;
    }
  }
  XCloseDisplay(display);
  EXPECT_GT(compared, 90);
  EXPECT_EQ(linuxKeyForVirtualKey(0x07), 0);
}

TEST(SessionKind, X11OnlyWhereTheSessionIsX11) {
  EXPECT_TRUE(isX11Session("x11", nullptr, ":0"));
  EXPECT_FALSE(isX11Session("wayland", nullptr, ":0"));  // XWayland's display
  EXPECT_FALSE(isX11Session("tty", nullptr, nullptr));
  // No login manager's word: a Wayland display wins over an X one.
  EXPECT_TRUE(isX11Session(nullptr, nullptr, ":0"));
  EXPECT_TRUE(isX11Session("", "", ":0"));
  EXPECT_FALSE(isX11Session(nullptr, "wayland-0", ":0"));
  EXPECT_FALSE(isX11Session("unspecified", nullptr, ""));
}

}  // namespace
}  // namespace qv
