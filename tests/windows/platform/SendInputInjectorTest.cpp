#include "platform/windows/SendInputInjector.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

}  // namespace
}  // namespace qv
