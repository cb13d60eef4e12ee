#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/linux/VirtualKeyMap.h"
#include "ui/qt/QtVirtualKeys.h"

namespace qv {
namespace {

TEST(QtVirtualKeys, GivesTheCodesTheUserTypesIntoTheRows) {
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Shift, Qt::ShiftModifier), 16);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Control, Qt::ControlModifier), 17);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Alt, Qt::AltModifier), 18);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_G, Qt::NoModifier), 71);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_G, Qt::ShiftModifier), 71);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_7, Qt::NoModifier), 0x37);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_7, Qt::KeypadModifier), 0x67);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Ampersand, Qt::ShiftModifier), 0x37);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_F12, Qt::NoModifier), 0x7B);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Plus, Qt::KeypadModifier), 0x6B);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Plus, Qt::ShiftModifier), 0xBB);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Return, Qt::NoModifier), 0x0D);
  EXPECT_EQ(virtualKeyForQtKey(Qt::Key_unknown, Qt::NoModifier), 0);
}

// Every code read from a key is one the injector can press again.
TEST(QtVirtualKeys, EveryCodeReadIsOneTheInjectorTypes) {
  std::set<uint16_t> read;
  std::vector<int> keys;
  for (int key = 0x20; key <= 0xFF; ++key) {
    keys.push_back(key);  // the printable keys
  }
  for (int key = Qt::Key_Escape; key <= Qt::Key_F35; ++key) {
    keys.push_back(key);  // the named keys
  }
  for (const int key : keys) {
    for (const Qt::KeyboardModifiers m :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
      if (const uint16_t vk = virtualKeyForQtKey(key, m); vk != 0) {
        read.insert(vk);
        EXPECT_NE(keysymForVirtualKey(vk), 0U) << "Qt key " << key << " gives " << vk;
      }
    }
  }
  // Letters, digits, keypad digits and F1 to F24 all come back.
  for (uint16_t vk :
       {0x41, 0x5A, 0x30, 0x39, 0x60, 0x69, 0x70, 0x87, 0x10, 0x11, 0x12, 0xBA, 0xDE}) {
    EXPECT_TRUE(read.count(vk) == 1) << vk;
  }
}

}  // namespace
}  // namespace qv
