#include "platform/windows/DeviceNotificationWindow.h"

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: dbt.h uses its types.
#include <dbt.h>

namespace qv {
namespace {

void broadcast(WPARAM event) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, event, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

TEST(DeviceNotificationWindow, TheBroadcastReachesTheHiddenWindowAndItsCallback) {
  const auto source = makeDeviceNotificationWindow();
  EXPECT_EQ(source->fileDescriptor(), -1);

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
  broadcast(DBT_DEVNODES_CHANGED);
  broadcast(DBT_DEVNODES_CHANGED);
  EXPECT_EQ(calls, 2);
  source->setChangedCallback({});
  broadcast(DBT_DEVNODES_CHANGED);
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace qv
