// gtest and the window's headers before Xlib: Xlib's macros (None, Bool)
// break them.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

#include "engine/KeyTable.h"
#include "engine/SwitchEngine.h"
#include "platform/linux/XTestInjector.h"
#include "tests/ui/support/HeadlessWindow.h"
// clang-format off
#include <X11/Xlib.h>
#include <X11/keysym.h>
// clang-format on

namespace qv::test {
namespace {

// The keys the rows below hold.
constexpr std::array<KeySym, 6> kHeldKeys{XK_Shift_L, XK_a, XK_Control_L, XK_F5, XK_Alt_L, XK_q};

// Reads the X server's key map from a connection of its own.
class XKeyMap {
 public:
  XKeyMap() : display_(XOpenDisplay(nullptr)) {}
  ~XKeyMap() {
    if (display_ != nullptr) {
      XCloseDisplay(display_);
    }
  }
  XKeyMap(const XKeyMap&) = delete;
  XKeyMap& operator=(const XKeyMap&) = delete;

  [[nodiscard]] bool open() const { return display_ != nullptr; }
  [[nodiscard]] int heldCount() {
    std::array<char, 32> keys{};
    XQueryKeymap(display_, keys.data());
    int held = 0;
    for (const KeySym keysym : kHeldKeys) {
      const KeyCode code = XKeysymToKeycode(display_, keysym);
      held += (keys.at(code / 8) >> (code % 8)) & 1;
    }
    return held;
  }
  // The server handles the injector's requests in its own time.
  bool becomes(int held) {
    for (int i = 0; i < 300; ++i) {
      if (heldCount() == held) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

 private:
  Display* display_;
};

TEST(HeldKeysOnX, ClosingTheWindowLeavesNoKeyDownOnTheXServer) {
  XKeyMap keymap;
  ASSERT_TRUE(keymap.open()) << "needs an X server ($DISPLAY)";
  ASSERT_EQ(keymap.heldCount(), 0);
  const auto injector = makeXTestInjector();
  HeadlessWindow window({}, nullptr, injector.get());
  SwitchEngine& engine = window.form->engine();
  // Held for many ticks: only the close can release them.
  AddKeyToRec(engine.keyarray, 14, "S Shift", "65", "1", "40");
  AddKeyToRec(engine.keyarray, 15, "C Control", "116", "1", "40");
  AddKeyToRec(engine.keyarray, 16, "A Alt", "81", "1", "40");
  engine.SetKeyOn(14);
  engine.SetKeyOn(15);
  engine.SetKeyOn(16);
  engine.SetKeyOn(14);  // again while held: one release is due
  // Rebuilt while held: the release is still owed for the keys pressed.
  AddKeyToRec(engine.keyarray, 16, "N None", "66", "1", "40");
  ASSERT_TRUE(window.toolkit.tick());
  ASSERT_TRUE(keymap.becomes(6)) << "the three rows hold their keys";

  window.controls.events()->closing();
  window.form.reset();
  EXPECT_TRUE(keymap.becomes(0)) << keymap.heldCount() << " keys still down";
}

}  // namespace
}  // namespace qv::test
