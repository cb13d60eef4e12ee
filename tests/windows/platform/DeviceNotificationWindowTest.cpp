#include "platform/windows/DeviceNotificationWindow.h"

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: dbt.h uses its types.
#include <dbt.h>

#include "tests/windows/platform/MessagePump.h"

namespace qv {
namespace {

using std::chrono::milliseconds;

constexpr const wchar_t* kBoxCaption = L"Quorvane modal test";

void CALLBACK closeTheBox(HWND /*window*/, UINT /*message*/, UINT_PTR /*id*/, DWORD /*time*/) {
  PostMessageW(FindWindowW(nullptr, kBoxCaption), WM_COMMAND, IDOK, 0);
}

void broadcast(WPARAM event) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, event, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

TEST(DeviceNotificationWindow, TheBroadcastReachesTheHiddenWindowAndItsCallback) {
  const auto source = makeDeviceNotificationWindow();

  broadcast(DBT_DEVNODES_CHANGED);
  EXPECT_TRUE(source->drainChanges());
  EXPECT_FALSE(source->drainChanges());
  broadcast(DBT_DEVICEARRIVAL);
  EXPECT_FALSE(source->drainChanges());

  int calls = 0;
  source->setChangedCallback([&] {
    ++calls;
    EXPECT_TRUE(source->drainChanges());
  });
  // A burst: nothing runs inside the broadcast, one call follows it.
  broadcast(DBT_DEVNODES_CHANGED);
  broadcast(DBT_DEVNODES_CHANGED);
  EXPECT_EQ(calls, 0) << "the callback ran inside the broadcast";
  test::pumpMessagesFor(milliseconds(600));
  EXPECT_EQ(calls, 1);

  // Nor inside a message box's modal loop: the call waits until it is closed.
  broadcast(DBT_DEVNODES_CHANGED);
  const UINT_PTR closer = SetTimer(nullptr, 0, 700, &closeTheBox);
  MessageBoxW(nullptr, L"Devices change while this box is open.", kBoxCaption, MB_OK);
  KillTimer(nullptr, closer);
  EXPECT_EQ(calls, 1) << "the callback ran inside the message box";
  test::pumpMessagesFor(milliseconds(600));
  EXPECT_EQ(calls, 2);

  source->setChangedCallback({});
  broadcast(DBT_DEVNODES_CHANGED);
  test::pumpMessagesFor(milliseconds(400));
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace qv
