#include "ui/qt/QtVirtualKeys.h"

#include <array>

namespace qv {

namespace {

struct QtKeyCode {
  int qtKey;
  bool keypad;
  uint16_t virtualKey;
};

constexpr std::array<QtKeyCode, 75> kNamedKeys{{
    {Qt::Key_Backspace, false, 0x08},
    {Qt::Key_Tab, false, 0x09},
    {Qt::Key_Backtab, false, 0x09},
    {Qt::Key_Clear, false, 0x0C},
    {Qt::Key_Clear, true, 0x0C},
    {Qt::Key_Return, false, 0x0D},
    {Qt::Key_Enter, true, 0x0D},
    {Qt::Key_Shift, false, 0x10},
    {Qt::Key_Control, false, 0x11},
    {Qt::Key_Alt, false, 0x12},
    {Qt::Key_Pause, false, 0x13},
    {Qt::Key_CapsLock, false, 0x14},
    {Qt::Key_Escape, false, 0x1B},
    {Qt::Key_Space, false, 0x20},
    {Qt::Key_PageUp, false, 0x21},
    {Qt::Key_PageDown, false, 0x22},
    {Qt::Key_End, false, 0x23},
    {Qt::Key_Home, false, 0x24},
    {Qt::Key_Left, false, 0x25},
    {Qt::Key_Up, false, 0x26},
    {Qt::Key_Right, false, 0x27},
    {Qt::Key_Down, false, 0x28},
    {Qt::Key_Select, false, 0x29},
    {Qt::Key_Execute, false, 0x2B},
    {Qt::Key_Print, false, 0x2C},
    {Qt::Key_Insert, false, 0x2D},
    {Qt::Key_Delete, false, 0x2E},
    {Qt::Key_Help, false, 0x2F},
    {Qt::Key_Super_L, false, 0x5B},
    {Qt::Key_Meta, false, 0x5B},
    {Qt::Key_Super_R, false, 0x5C},
    {Qt::Key_Menu, false, 0x5D},
    {Qt::Key_Asterisk, true, 0x6A},
    {Qt::Key_Plus, true, 0x6B},
    {Qt::Key_Comma, true, 0x6C},
    {Qt::Key_Minus, true, 0x6D},
    {Qt::Key_Period, true, 0x6E},
    {Qt::Key_Slash, true, 0x6F},
    {Qt::Key_NumLock, false, 0x90},
    {Qt::Key_ScrollLock, false, 0x91},
    {Qt::Key_Semicolon, false, 0xBA},
    {Qt::Key_Colon, false, 0xBA},
    {Qt::Key_Equal, false, 0xBB},
    {Qt::Key_Plus, false, 0xBB},
    {Qt::Key_Comma, false, 0xBC},
    {Qt::Key_Minus, false, 0xBD},
    {Qt::Key_Underscore, false, 0xBD},
    {Qt::Key_Period, false, 0xBE},
    {Qt::Key_Greater, false, 0xBE},
    {Qt::Key_Slash, false, 0xBF},
    {Qt::Key_Question, false, 0xBF},
    {Qt::Key_QuoteLeft, false, 0xC0},
    {Qt::Key_AsciiTilde, false, 0xC0},
    {Qt::Key_BracketLeft, false, 0xDB},
    {Qt::Key_BraceLeft, false, 0xDB},
    {Qt::Key_Backslash, false, 0xDC},
    {Qt::Key_Bar, false, 0xDC},
    {Qt::Key_BracketRight, false, 0xDD},
    {Qt::Key_BraceRight, false, 0xDD},
    {Qt::Key_Apostrophe, false, 0xDE},
    {Qt::Key_QuoteDbl, false, 0xDE},
    {Qt::Key_Less, false, 0xE2},
    // Shift with a digit of the US layout.
    {Qt::Key_ParenRight, false, 0x30},
    {Qt::Key_Exclam, false, 0x31},
    {Qt::Key_At, false, 0x32},
    {Qt::Key_NumberSign, false, 0x33},
    {Qt::Key_Dollar, false, 0x34},
    {Qt::Key_Percent, false, 0x35},
    {Qt::Key_AsciiCircum, false, 0x36},
    {Qt::Key_Ampersand, false, 0x37},
    {Qt::Key_Asterisk, false, 0x38},
    {Qt::Key_ParenLeft, false, 0x39},
    // The keypad's navigation keys while Num Lock is off.
    {Qt::Key_Insert, true, 0x2D},
    {Qt::Key_Delete, true, 0x2E},
    {Qt::Key_Space, true, 0x20},
}};

uint16_t namedKey(int qtKey, bool keypad) {
  for (const QtKeyCode& k : kNamedKeys) {
    if (k.qtKey == qtKey && k.keypad == keypad) {
      return k.virtualKey;
    }
  }
  return 0;
}

}  // namespace

uint16_t virtualKeyForQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
    const auto digit = static_cast<uint16_t>(qtKey - Qt::Key_0);
    return static_cast<uint16_t>((keypad ? 0x60 : '0') + digit);
  }
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
    return static_cast<uint16_t>('A' + (qtKey - Qt::Key_A));
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
    return static_cast<uint16_t>(0x70 + (qtKey - Qt::Key_F1));
  }
  const uint16_t code = namedKey(qtKey, keypad);
  // Keypad keys without a keypad entry (Home, arrows with Num Lock off) are
  // the same keys as their main-block twins.
  return code != 0 || !keypad ? code : namedKey(qtKey, false);
}

}  // namespace qv
