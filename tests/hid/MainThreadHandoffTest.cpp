#include "hid/MainThreadHandoff.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "tests/support/HidTestSupport.h"

namespace qv {
namespace {

TEST(MainThreadHandoff, RunsTheCallOnTheMainThreadAndReturnsWhatItThrew) {
  test::ManualEventLoop loop;
  MainThreadHandoff handoff(loop);
  const std::thread::id mainThread = std::this_thread::get_id();
  std::thread::id ranOn;
  std::exception_ptr thrown;
  std::atomic<bool> returned = false;
  std::thread reader([&] {
    const std::exception_ptr fine =
        handoff.runOnMainThread([&] { ranOn = std::this_thread::get_id(); });
    EXPECT_EQ(fine, nullptr);
    thrown = handoff.runOnMainThread([] { throw std::runtime_error("handler failed"); });
    returned = true;
  });
  EXPECT_TRUE(test::pumpUntil(loop, [&] { return returned.load(); }));
  reader.join();
  EXPECT_EQ(ranOn, mainThread);
  ASSERT_NE(thrown, nullptr);
  EXPECT_THROW(std::rethrow_exception(thrown), std::runtime_error);
}

TEST(MainThreadHandoff, WaitingMainThreadServesCallsWithoutTheLoop) {
  test::ManualEventLoop loop;
  MainThreadHandoff handoff(loop);
  std::atomic<bool> finished = false;
  int served = 0;
  std::thread reader([&] {
    for (int i = 0; i < 3; ++i) {
      static_cast<void>(handoff.runOnMainThread([&] { ++served; }));
    }
    finished = true;
    handoff.wake();
  });
  handoff.serveUntil([&] { return finished.load(); });
  reader.join();
  EXPECT_EQ(served, 3);
  // The loop's tasks for those calls find nothing left to do.
  loop.runPending();
  EXPECT_EQ(served, 3);
}

TEST(MainThreadHandoff, ATaskOutlivingTheHandoffDoesNothing) {
  test::ManualEventLoop loop;
  auto handoff = std::make_unique<MainThreadHandoff>(loop);
  std::atomic<bool> served = false;
  std::thread reader([&] { static_cast<void>(handoff->runOnMainThread([&] { served = true; })); });
  handoff->serveUntil([&] { return served.load(); });
  reader.join();
  handoff.reset();
  EXPECT_EQ(loop.runPending(), 1);
}

}  // namespace
}  // namespace qv
