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

// One key of the US layout (the prefix's) as the records and the hook carry it.
struct Sent {
  uint16_t virtualKey;
  WORD scan;
  bool extended;
};
// Ordinary, modifier and extended keys, and left Control, the non-extended
// twin of right Control. (Wine's layouts give the keypad's digits no scan
// code, so they are not here.)
constexpr Sent kKeys[] = {
    {'A', 0x1E, false},        {VK_SHIFT, 0x2A, false}, {VK_CONTROL, 0x1D, false},
    {VK_RCONTROL, 0x1D, true}, {VK_RMENU, 0x38, true},  {VK_LEFT, 0x4B, true},
    {VK_INSERT, 0x52, true},   {VK_DIVIDE, 0x35, true}, {VK_F10, 0x44, false}};

TEST(SendInputInjector, EveryKeyGoesOutWithItsScanCodeAndExtendedFlagDownAndUp) {
  std::vector<KeyEvent> batch;
  for (const bool up : {false, true}) {
    for (const Sent& key : kKeys) {
      batch.push_back({key.virtualKey, up});
    }
  }
  const std::vector<INPUT> records = keyboardRecords(batch);
  ASSERT_EQ(records.size(), batch.size());
  for (size_t i = 0; i < records.size(); ++i) {
    const Sent& key = kKeys[i % std::size(kKeys)];
    const KEYBDINPUT& sent = records[i].ki;
    EXPECT_EQ(records[i].type, static_cast<DWORD>(INPUT_KEYBOARD));
    EXPECT_EQ(sent.wVk, key.virtualKey);
    EXPECT_EQ(sent.wScan, key.scan) << key.virtualKey;
    EXPECT_EQ(sent.dwFlags,
              (batch[i].keyUp ? KEYEVENTF_KEYUP : 0U) | (key.extended ? KEYEVENTF_EXTENDEDKEY : 0U))
        << key.virtualKey;
  }
}

// What the low-level hook of this thread saw; the hook procedure has no
// context of its own.
std::vector<KBDLLHOOKSTRUCT>& hooked() {
  static std::vector<KBDLLHOOKSTRUCT> seen;
  return seen;
}

LRESULT CALLBACK keepHooked(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    hooked().push_back(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// What a game reading the keyboard below the messages gets.
TEST(SendInputInjector, ALowLevelKeyboardHookSeesTheScanCodes) {
  hooked().clear();
  const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keepHooked, GetModuleHandleW(nullptr), 0);
  ASSERT_NE(hook, nullptr);
  const auto injector = makeSendInputInjector();
  const KeyEvent down[] = {{VK_RCONTROL, false}, {VK_LEFT, false}, {'A', false}};
  const KeyEvent up[] = {{VK_RCONTROL, true}, {VK_LEFT, true}, {'A', true}};
  injector->inject(down);
  injector->inject(up);
  EXPECT_TRUE(test::pumpMessagesUntil([] { return hooked().size() >= 6; }));
  UnhookWindowsHookEx(hook);
  ASSERT_EQ(hooked().size(), 6U);
  const Sent expected[] = {kKeys[3], kKeys[5], kKeys[0]};
  for (size_t i = 0; i < 6; ++i) {
    const KBDLLHOOKSTRUCT& seen = hooked()[i];
    EXPECT_EQ(seen.vkCode, expected[i % 3].virtualKey);
    EXPECT_EQ(seen.scanCode, expected[i % 3].scan) << seen.vkCode;
    EXPECT_EQ((seen.flags & LLKHF_EXTENDED) != 0, expected[i % 3].extended) << seen.vkCode;
    EXPECT_EQ((seen.flags & LLKHF_UP) != 0, i >= 3);
  }
  // Its own windows take its keystrokes.
  EXPECT_EQ(injector->deliveryProblem(), "");
}

TEST(SendInputInjector, AProgramAboveItsIntegrityLevelIsNamedWithWhy) {
  EXPECT_EQ(integrityProblem(SECURITY_MANDATORY_MEDIUM_RID, SECURITY_MANDATORY_HIGH_RID, "fsx.exe"),
            "Keystrokes cannot reach fsx.exe: it runs as administrator and Quorvane does not, "
            "and Windows keeps keystrokes from such a program. Start both as administrator or "
            "neither.");
  EXPECT_EQ(integrityProblem(SECURITY_MANDATORY_HIGH_RID, SECURITY_MANDATORY_HIGH_RID, "fsx.exe"),
            "");
  EXPECT_EQ(integrityProblem(SECURITY_MANDATORY_HIGH_RID, SECURITY_MANDATORY_MEDIUM_RID, "x.exe"),
            "");
}

}  // namespace
}  // namespace qv
