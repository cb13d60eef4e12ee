#include "platform/linux/UinputKeyMap.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>
#include <vector>

namespace qv {

namespace {

std::vector<VirtualKeyCode> buildTable() {
  std::vector<VirtualKeyCode> t = {
      {0x08, KEY_BACKSPACE},  {0x09, KEY_TAB},        {0x0C, KEY_CLEAR},     {0x0D, KEY_ENTER},
      {0x10, KEY_LEFTSHIFT},  {0x11, KEY_LEFTCTRL},   {0x12, KEY_LEFTALT},   {0x13, KEY_PAUSE},
      {0x14, KEY_CAPSLOCK},   {0x1B, KEY_ESC},        {0x20, KEY_SPACE},     {0x21, KEY_PAGEUP},
      {0x22, KEY_PAGEDOWN},   {0x23, KEY_END},        {0x24, KEY_HOME},      {0x25, KEY_LEFT},
      {0x26, KEY_UP},         {0x27, KEY_RIGHT},      {0x28, KEY_DOWN},      {0x29, KEY_SELECT},
      {0x2A, KEY_PRINT},      {0x2C, KEY_SYSRQ},      {0x2D, KEY_INSERT},    {0x2E, KEY_DELETE},
      {0x2F, KEY_HELP},       {0x5B, KEY_LEFTMETA},   {0x5C, KEY_RIGHTMETA}, {0x5D, KEY_COMPOSE},
      {0x6A, KEY_KPASTERISK}, {0x6B, KEY_KPPLUS},     {0x6C, KEY_KPCOMMA},   {0x6D, KEY_KPMINUS},
      {0x6E, KEY_KPDOT},      {0x6F, KEY_KPSLASH},    {0x90, KEY_NUMLOCK},   {0x91, KEY_SCROLLLOCK},
      {0xA0, KEY_LEFTSHIFT},  {0xA1, KEY_RIGHTSHIFT}, {0xA2, KEY_LEFTCTRL},  {0xA3, KEY_RIGHTCTRL},
      {0xA4, KEY_LEFTALT},    {0xA5, KEY_RIGHTALT},   {0xBA, KEY_SEMICOLON}, {0xBB, KEY_EQUAL},
      {0xBC, KEY_COMMA},      {0xBD, KEY_MINUS},      {0xBE, KEY_DOT},       {0xBF, KEY_SLASH},
      {0xC0, KEY_GRAVE},      {0xDB, KEY_LEFTBRACE},  {0xDC, KEY_BACKSLASH}, {0xDD, KEY_RIGHTBRACE},
      {0xDE, KEY_APOSTROPHE}, {0xE2, KEY_102ND},
  };
  // Digits, letters, keypad and function keys are not in code order on a
  // Linux keyboard: each row as the kernel numbers it.
  constexpr std::array<uint16_t, 10> kDigits{KEY_0, KEY_1, KEY_2, KEY_3, KEY_4,
                                             KEY_5, KEY_6, KEY_7, KEY_8, KEY_9};
  constexpr std::array<uint16_t, 10> kKeypad{KEY_KP0, KEY_KP1, KEY_KP2, KEY_KP3, KEY_KP4,
                                             KEY_KP5, KEY_KP6, KEY_KP7, KEY_KP8, KEY_KP9};
  constexpr std::array<uint16_t, 26> kLetters{
      KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
      KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};
  constexpr std::array<uint16_t, 24> kFunctions{
      KEY_F1,  KEY_F2,  KEY_F3,  KEY_F4,  KEY_F5,  KEY_F6,  KEY_F7,  KEY_F8,
      KEY_F9,  KEY_F10, KEY_F11, KEY_F12, KEY_F13, KEY_F14, KEY_F15, KEY_F16,
      KEY_F17, KEY_F18, KEY_F19, KEY_F20, KEY_F21, KEY_F22, KEY_F23, KEY_F24};
  for (size_t i = 0; i < kDigits.size(); ++i) {
    t.push_back({static_cast<uint16_t>('0' + i), kDigits.at(i)});
    t.push_back({static_cast<uint16_t>(0x60 + i), kKeypad.at(i)});
  }
  for (size_t i = 0; i < kLetters.size(); ++i) {
    t.push_back({static_cast<uint16_t>('A' + i), kLetters.at(i)});
  }
  for (size_t i = 0; i < kFunctions.size(); ++i) {
    t.push_back({static_cast<uint16_t>(0x70 + i), kFunctions.at(i)});
  }
  std::sort(t.begin(), t.end(), [](const VirtualKeyCode& a, const VirtualKeyCode& b) {
    return a.virtualKey < b.virtualKey;
  });
  return t;
}

}  // namespace

std::span<const VirtualKeyCode> linuxKeyTable() {
  static const std::vector<VirtualKeyCode> table = buildTable();
  return table;
}

uint16_t linuxKeyForVirtualKey(uint16_t virtualKey) {
  const auto table = linuxKeyTable();
  const auto it =
      std::lower_bound(table.begin(), table.end(), virtualKey,
                       [](const VirtualKeyCode& e, uint16_t vk) { return e.virtualKey < vk; });
  return (it != table.end() && it->virtualKey == virtualKey) ? it->linuxKey : 0;
}

}  // namespace qv
