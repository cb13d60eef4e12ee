// gtest before Xlib: Xlib's macros (None, Bool) break gtest's headers.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xlib.h>
// clang-format on

#include <linux/input-event-codes.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/linux/HeldKeys.h"
#include "platform/linux/KeyboardLayout.h"
#include "platform/linux/LayoutKeyMap.h"
#include "platform/linux/SessionKeyInjector.h"
#include "platform/linux/VirtualKeyMap.h"

namespace qv {
namespace {

// The X server's evdev keymap numbers its keys as the kernel does, plus 8:
// an independent table to hold the uinput map against.
TEST(UinputKeyMap, PressesTheKeyTheXServerPressesForEachCode) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "this test needs an X server ($DISPLAY)";
  int compared = 0;
  for (const VirtualKeyRow& e : virtualKeyTable()) {
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

// Which maker the choice called first shows in the injector it returns.
class MadeBy final : public KeyInjector {
 public:
  explicit MadeBy(std::string name) : maker(std::move(name)) {}
  void inject(std::span<const KeyEvent> /*batch*/) override {}
  std::string maker;
};

std::string choice(bool wayland, bool haveXTest, bool haveUinput) {
  const auto maker = [](bool have, const char* name) -> KeyInjectorMaker {
    return [have, name]() -> std::unique_ptr<KeyInjector> {
      return have ? std::make_unique<MadeBy>(name) : nullptr;
    };
  };
  const auto injector =
      chooseKeyInjector(wayland, maker(haveXTest, "xtest"), maker(haveUinput, "uinput"));
  const auto* made = dynamic_cast<const MadeBy*>(injector.get());
  return made != nullptr ? made->maker : injector->deliveryProblem();
}

TEST(SessionKeyInjector, XTestFirstOnX11UinputFirstOnWaylandAndNeitherSaysSo) {
  EXPECT_EQ(choice(false, true, true), "xtest");
  EXPECT_EQ(choice(false, false, true), "uinput");
  EXPECT_EQ(choice(true, true, true), "uinput");
  EXPECT_EQ(choice(true, true, false), "xtest");  // X11 programs under XWayland at least
  EXPECT_EQ(choice(false, false, false), kNoKeyDeliveryProblem);

  EXPECT_TRUE(isWaylandSession("wayland", nullptr));
  EXPECT_TRUE(isWaylandSession("x11", "wayland-0"));
  EXPECT_TRUE(isWaylandSession(nullptr, "wayland-0"));
  EXPECT_FALSE(isWaylandSession("x11", nullptr));
  EXPECT_FALSE(isWaylandSession("tty", ""));
}

KeyStroke stroke(uint16_t key, uint16_t first = 0, uint16_t second = 0) {
  return {key, {first, second}};
}

TEST(LayoutKeyMap, CharactersFollowTheLayoutOtherKeysKeepTheirPlace) {
  const LayoutKeyMap us;
  const LayoutKeyMap german(KeyboardLayoutNames{"evdev", "pc105", "de", "", ""});
  const LayoutKeyMap french(KeyboardLayoutNames{"evdev", "pc105", "fr", "", ""});
  EXPECT_EQ(us.strokeFor('Y'), stroke(KEY_Y));
  EXPECT_EQ(german.strokeFor('Y'), stroke(KEY_Z));
  EXPECT_EQ(german.strokeFor('Z'), stroke(KEY_Y));
  EXPECT_EQ(german.strokeFor(0xBF), stroke(KEY_7, KEY_LEFTSHIFT));  // '/'
  EXPECT_EQ(german.strokeFor(0xDB), stroke(KEY_8, KEY_RIGHTALT));   // '['
  EXPECT_EQ(french.strokeFor('A'), stroke(KEY_Q));
  EXPECT_EQ(french.strokeFor('M'), stroke(KEY_SEMICOLON));
  EXPECT_EQ(french.strokeFor('1'), stroke(KEY_1, KEY_LEFTSHIFT));
  for (const LayoutKeyMap* map : {&german, &french}) {
    EXPECT_EQ(map->strokeFor(0x70), stroke(KEY_F1));
    EXPECT_EQ(map->strokeFor(0x61), stroke(KEY_KP1));
    EXPECT_EQ(map->strokeFor(0xA1), stroke(KEY_RIGHTSHIFT));
    EXPECT_EQ(map->strokeFor(0x07), stroke(0));
  }
  EXPECT_EQ(
      parseKeyboardSettings("# comment\nXKBMODEL=\"pc105\"\nXKBLAYOUT='fr'\n"
                            "XKBVARIANT=\"\"\n XKBOPTIONS=\"compose:ralt\"\nBACKSPACE=guess\n"),
      (KeyboardLayoutNames{"", "pc105", "fr", "", "compose:ralt"}));
}

// The names as the X server keeps them on its root window, five texts each
// ended by a NUL; the test's server gets its own back afterwards.
TEST(KeyboardLayout, TheXServersNamesInTheirOrder) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "this test needs an X server ($DISPLAY)";
  const Atom names = XInternAtom(display, "_XKB_RULES_NAMES", False);
  const std::optional<KeyboardLayoutNames> before = xServerKeyboardLayout();
  const auto set = [&](std::string_view text) {
    XChangeProperty(display, DefaultRootWindow(display), names, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
    XSync(display, False);
  };
  set(std::string_view("evdev\0pc105\0de,us\0nodeadkeys\0grp:alt_shift_toggle\0", 50));
  EXPECT_EQ(xServerKeyboardLayout(),
            (KeyboardLayoutNames{"evdev", "pc105", "de,us", "nodeadkeys", "grp:alt_shift_toggle"}));
  if (before) {
    const KeyboardLayoutNames& b = *before;
    set(b.rules + '\0' + b.model + '\0' + b.layout + '\0' + b.variant + '\0' + b.options + '\0');
  }
  XCloseDisplay(display);
}

std::vector<LinuxKeyEvent> keys(HeldKeys& held, std::vector<KeyEvent> batch) {
  return held.events(batch);
}

// Shift (0x10) and Left Shift (0xA0) press one key, and so does the Shift a
// French '1' needs: each holder keeps it down until the last lets go.
TEST(HeldKeys, AKeyGoesUpWithItsLastHolder) {
  HeldKeys held(LayoutKeyMap(KeyboardLayoutNames{"evdev", "pc105", "fr", "", ""}));
  EXPECT_EQ(keys(held, {{0x10}, {0xA0}, {'1'}}),
            (std::vector<LinuxKeyEvent>{{KEY_LEFTSHIFT, true}, {KEY_1, true}}));
  EXPECT_EQ(keys(held, {{0xA0, true}, {'1', true}}), (std::vector<LinuxKeyEvent>{{KEY_1, false}}));
  EXPECT_EQ(keys(held, {{0xA0, true}, {'A'}, {0x10, true}, {'A', true}}),
            (std::vector<LinuxKeyEvent>{{KEY_Q, true}, {KEY_LEFTSHIFT, false}, {KEY_Q, false}}));
}

}  // namespace
}  // namespace qv
