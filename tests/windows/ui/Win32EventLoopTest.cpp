#include "ui/win32/Win32EventLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "hid/MainThreadHandoff.h"
#include "tests/windows/platform/MessagePump.h"

namespace qv {
namespace {

TEST(Win32EventLoop, TasksFromAnotherThreadRunOnTheLoopsThreadInOrder) {
  Win32EventLoop loop;
  const std::thread::id mainThread = std::this_thread::get_id();
  std::vector<int> ran;
  bool allOnMain = true;
  std::thread poster([&] {
    for (int i = 1; i <= 3; ++i) {
      loop.post([&, i] {
        ran.push_back(i);
        allOnMain = allOnMain && std::this_thread::get_id() == mainThread;
      });
    }
  });
  poster.join();
  EXPECT_TRUE(ran.empty());
  ASSERT_TRUE(test::pumpMessagesUntil([&] { return ran.size() == 3; }));
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(allOnMain);
}

TEST(Win32EventLoop, AReadersHandOffWaitsForTheMessageLoop) {
  Win32EventLoop loop;
  MainThreadHandoff handoff(loop);
  const std::thread::id mainThread = std::this_thread::get_id();
  std::thread::id ranOn;
  std::atomic<bool> returned = false;
  std::thread reader([&] {
    static_cast<void>(handoff.runOnMainThread([&] { ranOn = std::this_thread::get_id(); }));
    returned = true;
  });
  Sleep(50);
  EXPECT_FALSE(returned);
  EXPECT_TRUE(test::pumpMessagesUntil([&] { return returned.load(); }));
  reader.join();
  EXPECT_EQ(ranOn, mainThread);
}

}  // namespace
}  // namespace qv
