#include "platform/windows/SendInputInjector.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/windows/SendInputInjectorTarget.h"

#include "tests/windows/platform/MessagePump.h"

namespace qv {
namespace {

using namespace std::chrono_literals;

std::wstring textOf(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

TEST(SendInputInjector, BatchesReachTheFocusedEditInOrder) {
  const HWND frame =
      CreateWindowExW(0, L"STATIC", L"Injection target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                      300, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(frame, nullptr);
  const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200,
                                    24, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  SetForegroundWindow(frame);
  SetFocus(edit);
  ASSERT_TRUE(test::pumpMessagesUntil([&] { return GetFocus() == edit; }));

  const auto injector = makeSendInputInjector();
  // Shift goes down before the letter and comes up before it too.
  const KeyEvent shiftedDown[] = {{VK_SHIFT, false}, {'G', false}};
  const KeyEvent shiftedUp[] = {{VK_SHIFT, true}, {'G', true}};
  const KeyEvent pairDown[] = {{'A', false}, {'B', false}};
  const KeyEvent pairUp[] = {{'A', true}, {'B', true}};
  injector->inject(shiftedDown);
  injector->inject(shiftedUp);
  injector->inject(pairDown);
  injector->inject(pairUp);

  EXPECT_TRUE(test::pumpMessagesUntil([&] { return textOf(edit).size() >= 3; }));
  test::pumpMessagesFor(100ms);
  EXPECT_EQ(textOf(edit), L"Gab");
  DestroyWindow(frame);
}

// What the low-level hook of this thread saw; the hook procedure has no
// context of its own.
std::vector<KBDLLHOOKSTRUCT>& hooked() {
  static std::vector<KBDLLHOOKSTRUCT> seen;
  return seen;
}

LRESULT CALLBACK keepHooked(int code, WPARAM wParam, LPARAM lParam) {
  hooked().push_back(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Ordinary, modifier and extended keys of the US layout, with left Control,
// the non-extended twin of right Control: what goes into SendInput, and what a
// game reading the keyboard below the messages gets.
TEST(SendInputInjector, KeysGoOutWithTheLayoutsScanCodeAndTheExtendedFlagDownAndUp) {
  struct Sent {
    uint16_t virtualKey;
    WORD scan;
    bool extended;
  };
  const Sent keys[] = {{'A', 0x1E, false},        {VK_SHIFT, 0x2A, false},
                       {VK_CONTROL, 0x1D, false}, {VK_RCONTROL, 0x1D, true},
                       {VK_LEFT, 0x4B, true},     {VK_DIVIDE, 0x35, true}};
  std::vector<KeyEvent> batch;
  for (const bool up : {false, true}) {
    for (const Sent& key : keys) {
      batch.push_back({key.virtualKey, up});
    }
  }
  const std::vector<INPUT> records = keyboardRecords(batch);
  hooked().clear();
  const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keepHooked, GetModuleHandleW(nullptr), 0);
  const auto injector = makeSendInputInjector();
  injector->inject(batch);
  test::pumpMessagesUntil([&] { return hooked().size() >= batch.size(); });
  UnhookWindowsHookEx(hook);
  ASSERT_EQ(hooked().size(), batch.size());
  for (size_t i = 0; i < batch.size(); ++i) {
    const Sent& key = keys[i % std::size(keys)];
    EXPECT_EQ(records[i].ki.wScan, key.scan) << key.virtualKey;
    EXPECT_EQ(records[i].ki.dwFlags, (batch[i].keyUp ? KEYEVENTF_KEYUP : 0U) |
                                         (key.extended ? KEYEVENTF_EXTENDEDKEY : 0U));
    EXPECT_EQ(hooked()[i].scanCode, key.scan) << key.virtualKey;
    EXPECT_EQ((hooked()[i].flags & LLKHF_EXTENDED) != 0, key.extended) << key.virtualKey;
  }
  EXPECT_EQ(injector->deliveryProblem(), "") << "its own windows take its keystrokes";
}

TEST(SendInputInjector, AProgramAboveItsIntegrityLevelIsNamedWithWhy) {
  EXPECT_EQ(integrityProblem(SECURITY_MANDATORY_MEDIUM_RID, SECURITY_MANDATORY_HIGH_RID, "fsx.exe"),
            "Keystrokes cannot reach fsx.exe: it runs as administrator and Quorvane does not, "
            "and Windows keeps keystrokes from such a program. Start both as administrator or "
            "neither.");
  EXPECT_EQ(integrityProblem(SECURITY_MANDATORY_HIGH_RID, SECURITY_MANDATORY_HIGH_RID, "x.exe"),
            "");
}

}  // namespace
}  // namespace qv
