// The simulator link while the real stand-in simulator is killed, stopped,
// quit and started late. The ticks are driven here, one every 250 ms where
// the wall clock matters.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/sim/StandinProcess.h"
#include "tests/support/LinkedEngine.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Avionics on and off: setting events, sent on every change whatever the
// aircraft reports.
constexpr int kAvionicsOn = 15;
constexpr int kAvionicsOff = 28;
constexpr auto kTickInterval = 250ms;

class SimulatorFaults : public ::testing::Test, protected test::LinkedEngine {
 protected:
  SimulatorFaults() { link.SimC_Init(); }

  void tick() {
    const auto begin = Clock::now();
    engine.Timer1Timer();
    longestTick = std::max(longestTick, Clock::now() - begin);
  }
  bool tickUntil(const std::function<bool()>& done) {
    return test::repeatUntil([this] { tick(); }, done);
  }
  [[nodiscard]] bool connected() const { return link.SimCon.SimStatus == "Connected"; }
  // The simulator has just become reachable: within two ticks the link is
  // up and hears from it. A status left "Connected" on a dead connection
  // hears nothing, so it does not count.
  bool connectsWithinTwoTicks() {
    const int32_t received = link.SimCon.RxCount;
    for (int i = 0; i < 2; ++i) {
      if (i > 0) {
        std::this_thread::sleep_for(kTickInterval);
      }
      tick();
      if (connected() && link.SimCon.RxCount > received) {
        return true;
      }
    }
    return false;
  }
  // A switch change while connected; counted so none can go missing.
  void switchAvionics(bool on) {
    ASSERT_TRUE(connected());
    engine.SetKeyOn(on ? kAvionicsOn : kAvionicsOff);
    ++(on ? sentOn : sentOff);
  }
  // Every change made to the running simulator has been applied by it.
  bool simulatorHasEveryChange() {
    return tickUntil([this] {
      return sim.linesWith("AVIONICS_MASTER_SET 1") == sentOn &&
             sim.linesWith("AVIONICS_MASTER_SET 0") == sentOff;
    });
  }
  // A new simulator run: the counts start again with its output.
  void startSimulator() {
    sim.start();
    sentOn = 0;
    sentOff = 0;
  }

  test::StandinProcess sim;
  Clock::duration longestTick = Clock::duration::zero();
  int sentOn = 0;
  int sentOff = 0;
};

// A blocked call would take seconds; this bound leaves room for a loaded
// machine and sanitizers and is still far below the tick's 250 ms.
constexpr auto kShortTick = 200ms;

TEST_F(SimulatorFaults, KilledTenTimesInARowIsConnectedAgainEachTime) {
  for (int run = 0; run < 10; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    startSimulator();
    ASSERT_TRUE(connectsWithinTwoTicks());
    switchAvionics(true);  // in the tick the link came up, before any data
    ASSERT_TRUE(tickUntil([this] { return !link.SimCon.Title.empty(); }));
    switchAvionics(false);
    switchAvionics(true);
    ASSERT_TRUE(simulatorHasEveryChange()) << sim.output();
    sim.kill();
    link.SimCon.Title.clear();
    // Half the time the link sees the death before the next simulator is up.
    if (run % 2 == 0) {
      ASSERT_TRUE(tickUntil([this] { return !connected(); }));
      tick();
      EXPECT_EQ(link.SimCon.SimStatus, "Loaded");
    }
  }
  EXPECT_LT(longestTick, kShortTick);
}

TEST_F(SimulatorFaults, StoppedForTenSecondsKeepsEveryChangeAndTheTicksShort) {
  startSimulator();
  ASSERT_TRUE(connectsWithinTwoTicks());
  ASSERT_TRUE(tickUntil([this] { return !link.SimCon.Title.empty(); }));
  sim.pause();
  const auto resumeAt = Clock::now() + 10s;
  for (int i = 0; Clock::now() < resumeAt; ++i) {
    tick();
    if (i % 4 == 0) {
      switchAvionics(i % 8 == 0);
    }
    std::this_thread::sleep_for(kTickInterval);
  }
  EXPECT_EQ(sim.linesWith("AVIONICS_MASTER_SET"), 0) << "the simulator was stopped";
  sim.resume();
  EXPECT_TRUE(connectsWithinTwoTicks());
  EXPECT_GE(sentOn + sentOff, 10);
  EXPECT_TRUE(simulatorHasEveryChange()) << sim.output();
  EXPECT_LT(longestTick, kShortTick);
}

TEST_F(SimulatorFaults, QuitAndRestartedIsConnectedAgain) {
  startSimulator();
  ASSERT_TRUE(connectsWithinTwoTicks());
  switchAvionics(true);
  ASSERT_TRUE(simulatorHasEveryChange());
  sim.stop();
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.SimStatus == "Loaded"; }));
  tick();
  EXPECT_EQ(link.SimCon.SimStatus, "Loaded");

  startSimulator();
  ASSERT_TRUE(connectsWithinTwoTicks());
  switchAvionics(false);
  switchAvionics(true);
  EXPECT_TRUE(simulatorHasEveryChange()) << sim.output();
  EXPECT_LT(longestTick, kShortTick);
}

TEST_F(SimulatorFaults, StartedAfterTheWindowIsConnectedWithinTwoTicks) {
  for (int i = 0; i < 8; ++i) {
    tick();
  }
  EXPECT_EQ(link.SimCon.SimStatus, "Loaded");
  startSimulator();
  ASSERT_TRUE(connectsWithinTwoTicks());
  switchAvionics(true);
  EXPECT_TRUE(simulatorHasEveryChange()) << sim.output();
  EXPECT_LT(longestTick, kShortTick);
}

}  // namespace
}  // namespace qv
