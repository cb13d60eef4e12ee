#include "platform/linux/VirtualKeyMap.h"

#include <X11/keysym.h>
#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>
#include <vector>

namespace qv {

namespace {

std::vector<VirtualKeyRow> buildTable() {
  // Execute has no key on a PC keyboard; X names both the old print key and
  // Print Screen Print.
  // clang-format off
  std::vector<VirtualKeyRow> t = {
      {0x08, XK_BackSpace, KEY_BACKSPACE},     {0x09, XK_Tab, KEY_TAB},
      {0x0C, XK_Clear, KEY_CLEAR},             {0x0D, XK_Return, KEY_ENTER},
      {0x10, XK_Shift_L, KEY_LEFTSHIFT},       {0x11, XK_Control_L, KEY_LEFTCTRL},
      {0x12, XK_Alt_L, KEY_LEFTALT},           {0x13, XK_Pause, KEY_PAUSE},
      {0x14, XK_Caps_Lock, KEY_CAPSLOCK},      {0x1B, XK_Escape, KEY_ESC},
      {0x20, XK_space, KEY_SPACE},             {0x21, XK_Prior, KEY_PAGEUP},
      {0x22, XK_Next, KEY_PAGEDOWN},           {0x23, XK_End, KEY_END},
      {0x24, XK_Home, KEY_HOME},               {0x25, XK_Left, KEY_LEFT},
      {0x26, XK_Up, KEY_UP},                   {0x27, XK_Right, KEY_RIGHT},
      {0x28, XK_Down, KEY_DOWN},               {0x29, XK_Select, KEY_SELECT},
      {0x2A, XK_Print, KEY_PRINT},             {0x2B, XK_Execute, 0},
      {0x2C, XK_Print, KEY_SYSRQ},             {0x2D, XK_Insert, KEY_INSERT},
      {0x2E, XK_Delete, KEY_DELETE},           {0x2F, XK_Help, KEY_HELP},
      {0x5B, XK_Super_L, KEY_LEFTMETA},        {0x5C, XK_Super_R, KEY_RIGHTMETA},
      {0x5D, XK_Menu, KEY_COMPOSE},            {0x6A, XK_KP_Multiply, KEY_KPASTERISK},
      {0x6B, XK_KP_Add, KEY_KPPLUS},           {0x6C, XK_KP_Separator, KEY_KPCOMMA},
      {0x6D, XK_KP_Subtract, KEY_KPMINUS},     {0x6E, XK_KP_Decimal, KEY_KPDOT},
      {0x6F, XK_KP_Divide, KEY_KPSLASH},       {0x90, XK_Num_Lock, KEY_NUMLOCK},
      {0x91, XK_Scroll_Lock, KEY_SCROLLLOCK},  {0xA0, XK_Shift_L, KEY_LEFTSHIFT},
      {0xA1, XK_Shift_R, KEY_RIGHTSHIFT},      {0xA2, XK_Control_L, KEY_LEFTCTRL},
      {0xA3, XK_Control_R, KEY_RIGHTCTRL},     {0xA4, XK_Alt_L, KEY_LEFTALT},
      {0xA5, XK_Alt_R, KEY_RIGHTALT},          {0xBA, XK_semicolon, KEY_SEMICOLON},
      {0xBB, XK_equal, KEY_EQUAL},             {0xBC, XK_comma, KEY_COMMA},
      {0xBD, XK_minus, KEY_MINUS},             {0xBE, XK_period, KEY_DOT},
      {0xBF, XK_slash, KEY_SLASH},             {0xC0, XK_grave, KEY_GRAVE},
      {0xDB, XK_bracketleft, KEY_LEFTBRACE},   {0xDC, XK_backslash, KEY_BACKSLASH},
      {0xDD, XK_bracketright, KEY_RIGHTBRACE}, {0xDE, XK_apostrophe, KEY_APOSTROPHE},
      {0xE2, XK_less, KEY_102ND},
  };
  // clang-format on

  // Keysyms of digits, letters, keypad and function keys follow the codes'
  // order; a Linux keyboard's keys do not: each row as the kernel numbers it.
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
  const auto addRow = [&t](size_t first, uint32_t firstKeysym, size_t i, uint16_t linuxKey) {
    t.push_back(
        {static_cast<uint16_t>(first + i), static_cast<uint32_t>(firstKeysym + i), linuxKey});
  };
  for (size_t i = 0; i < kDigits.size(); ++i) {
    addRow('0', XK_0, i, kDigits.at(i));
    addRow(0x60, XK_KP_0, i, kKeypad.at(i));
  }
  for (size_t i = 0; i < kLetters.size(); ++i) {
    // Lower-case keysyms: the letter key itself, Shift is a separate code.
    addRow('A', XK_a, i, kLetters.at(i));
  }
  for (size_t i = 0; i < kFunctions.size(); ++i) {
    addRow(0x70, XK_F1, i, kFunctions.at(i));
  }
  std::sort(t.begin(), t.end(), [](const VirtualKeyRow& a, const VirtualKeyRow& b) {
    return a.virtualKey < b.virtualKey;
  });
  return t;
}

const VirtualKeyRow* rowFor(uint16_t virtualKey) {
  const auto table = virtualKeyTable();
  const auto it =
      std::lower_bound(table.begin(), table.end(), virtualKey,
                       [](const VirtualKeyRow& e, uint16_t vk) { return e.virtualKey < vk; });
  return (it != table.end() && it->virtualKey == virtualKey) ? &*it : nullptr;
}

}  // namespace

std::span<const VirtualKeyRow> virtualKeyTable() {
  static const std::vector<VirtualKeyRow> table = buildTable();
  return table;
}

uint32_t keysymForVirtualKey(uint16_t virtualKey) {
  const VirtualKeyRow* row = rowFor(virtualKey);
  return row != nullptr ? row->keysym : 0;
}

uint16_t linuxKeyForVirtualKey(uint16_t virtualKey) {
  const VirtualKeyRow* row = rowFor(virtualKey);
  return row != nullptr ? row->linuxKey : 0;
}

}  // namespace qv
