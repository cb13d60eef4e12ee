#include "platform/linux/VirtualKeyMap.h"

#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <vector>

namespace qv {

namespace {

std::vector<VirtualKeySym> buildTable() {
  std::vector<VirtualKeySym> t = {
      {0x08, XK_BackSpace},   {0x09, XK_Tab},          {0x0C, XK_Clear},
      {0x0D, XK_Return},      {0x10, XK_Shift_L},      {0x11, XK_Control_L},
      {0x12, XK_Alt_L},       {0x13, XK_Pause},        {0x14, XK_Caps_Lock},
      {0x1B, XK_Escape},      {0x20, XK_space},        {0x21, XK_Prior},
      {0x22, XK_Next},        {0x23, XK_End},          {0x24, XK_Home},
      {0x25, XK_Left},        {0x26, XK_Up},           {0x27, XK_Right},
      {0x28, XK_Down},        {0x29, XK_Select},       {0x2A, XK_Print},
      {0x2B, XK_Execute},     {0x2C, XK_Print},        {0x2D, XK_Insert},
      {0x2E, XK_Delete},      {0x2F, XK_Help},         {0x5B, XK_Super_L},
      {0x5C, XK_Super_R},     {0x5D, XK_Menu},         {0x6A, XK_KP_Multiply},
      {0x6B, XK_KP_Add},      {0x6C, XK_KP_Separator}, {0x6D, XK_KP_Subtract},
      {0x6E, XK_KP_Decimal},  {0x6F, XK_KP_Divide},    {0x90, XK_Num_Lock},
      {0x91, XK_Scroll_Lock}, {0xA0, XK_Shift_L},      {0xA1, XK_Shift_R},
      {0xA2, XK_Control_L},   {0xA3, XK_Control_R},    {0xA4, XK_Alt_L},
      {0xA5, XK_Alt_R},       {0xBA, XK_semicolon},    {0xBB, XK_equal},
      {0xBC, XK_comma},       {0xBD, XK_minus},        {0xBE, XK_period},
      {0xBF, XK_slash},       {0xC0, XK_grave},        {0xDB, XK_bracketleft},
      {0xDC, XK_backslash},   {0xDD, XK_bracketright}, {0xDE, XK_apostrophe},
      {0xE2, XK_less},
  };
  for (uint16_t i = 0; i < 10; ++i) {
    t.push_back({static_cast<uint16_t>('0' + i), static_cast<uint32_t>(XK_0 + i)});
    t.push_back({static_cast<uint16_t>(0x60 + i), static_cast<uint32_t>(XK_KP_0 + i)});
  }
  for (uint16_t i = 0; i < 26; ++i) {
    // Lower-case keysyms: the letter key itself, Shift is a separate code.
    t.push_back({static_cast<uint16_t>('A' + i), static_cast<uint32_t>(XK_a + i)});
  }
  for (uint16_t i = 0; i < 24; ++i) {
    t.push_back({static_cast<uint16_t>(0x70 + i), static_cast<uint32_t>(XK_F1 + i)});
  }
  std::sort(t.begin(), t.end(), [](const VirtualKeySym& a, const VirtualKeySym& b) {
    return a.virtualKey < b.virtualKey;
  });
  return t;
}

}  // namespace

std::span<const VirtualKeySym> virtualKeyTable() {
  static const std::vector<VirtualKeySym> table = buildTable();
  return table;
}

uint32_t keysymForVirtualKey(uint16_t virtualKey) {
  const auto table = virtualKeyTable();
  const auto it =
      std::lower_bound(table.begin(), table.end(), virtualKey,
                       [](const VirtualKeySym& e, uint16_t vk) { return e.virtualKey < vk; });
  return (it != table.end() && it->virtualKey == virtualKey) ? it->keysym : 0;
}

}  // namespace qv
