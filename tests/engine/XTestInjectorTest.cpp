// gtest before Xlib: Xlib's macros (None, Bool) break gtest's headers.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/keysym.h>
// clang-format on

#include <array>
#include <chrono>
#include <set>
#include <thread>

#include "engine/KeyTable.h"
#include "engine/SendKeys.h"
#include "platform/linux/VirtualKeyMap.h"
#include "platform/linux/XTestInjector.h"

namespace qv {
namespace {

// Watches the X server's key state from a connection of its own.
class XServerKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr) << "these tests need an X server ($DISPLAY)";
  }
  void TearDown() override {
    if (display_ != nullptr) {
      XCloseDisplay(display_);
    }
  }

  bool isDown(KeySym keysym) {
    std::array<char, 32> keys{};
    XQueryKeymap(display_, keys.data());
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    return (keys.at(code / 8) >> (code % 8)) & 1;
  }

  // The server handles another client's requests in its own time; wait a little.
  bool becomes(KeySym keysym, bool down) {
    for (int i = 0; i < 500; ++i) {
      if (isDown(keysym) == down) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  Display* display_ = nullptr;
};

TEST_F(XServerKeys, ControlShiftGGoesDownAndUp) {
  const auto injector = makeXTestInjector();
  KeyArray keys{};
  AddKeyToRec(keys, 13, "CS Control Shift", "71", "1", "0");

  sendkeys('D', keys[13], *injector);
  EXPECT_TRUE(becomes(XK_Control_L, true));
  EXPECT_TRUE(becomes(XK_Shift_L, true));
  EXPECT_TRUE(becomes(XK_g, true));

  sendkeys('U', keys[13], *injector);
  EXPECT_TRUE(becomes(XK_Control_L, false));
  EXPECT_TRUE(becomes(XK_Shift_L, false));
  EXPECT_TRUE(becomes(XK_g, false));
}

TEST_F(XServerKeys, CodeWithoutAKeyIsSkippedInItsBatch) {
  const auto injector = makeXTestInjector();
  const std::array<KeyEvent, 2> batch{KeyEvent{0x07, false}, KeyEvent{0x41, false}};
  injector->inject(batch);
  EXPECT_TRUE(becomes(XK_a, true));
  const std::array<KeyEvent, 2> release{KeyEvent{0x07, true}, KeyEvent{0x41, true}};
  injector->inject(release);
  EXPECT_TRUE(becomes(XK_a, false));
}

TEST(VirtualKeyMap, CoversTheWholeKeyboard) {
  std::set<uint16_t> codes;
  for (const VirtualKeyRow& e : virtualKeyTable()) {
    EXPECT_TRUE(codes.insert(e.virtualKey).second) << e.virtualKey;
  }
  EXPECT_EQ(keysymForVirtualKey('G'), XK_g);
  EXPECT_EQ(keysymForVirtualKey('7'), XK_7);
  EXPECT_EQ(keysymForVirtualKey(0x70), XK_F1);
  EXPECT_EQ(keysymForVirtualKey(0x87), XK_F24);
  EXPECT_EQ(keysymForVirtualKey(0x60), XK_KP_0);
  EXPECT_EQ(keysymForVirtualKey(0xA3), XK_Control_R);
  EXPECT_EQ(keysymForVirtualKey(0xBA), XK_semicolon);
  EXPECT_EQ(keysymForVirtualKey(0x0D), XK_Return);
  EXPECT_EQ(keysymForVirtualKey(0), 0U);
  EXPECT_EQ(keysymForVirtualKey(0x07), 0U);
}

}  // namespace
}  // namespace qv
