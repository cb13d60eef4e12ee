// The simulator link against the real stand-in simulator process.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>

#include "tests/sim/StandinProcess.h"
#include "tests/support/LinkedEngine.h"

namespace qv {
namespace {

using ::testing::ElementsAre;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class StandinLink : public ::testing::Test, protected test::LinkedEngine {
 protected:
  StandinLink() { link.SimC_Init(); }

  void tick() { engine.Timer1Timer(); }
  bool tickUntil(const std::function<bool()>& done) {
    return test::repeatUntil([this] { tick(); }, done);
  }

  // Starts the simulator and ticks until its first data message arrived.
  void connectWithData(const std::vector<std::string>& options = {}) {
    sim.start(options);
    tick();
    ASSERT_EQ(link.SimCon.SimStatus, "Connected");
    ASSERT_TRUE(tickUntil([this] { return !link.SimCon.Title.empty(); }));
  }
  // Ticks until the simulator printed `count` lines containing `text`.
  bool simPrinted(const std::string& text, int count = 1) {
    return tickUntil([&] { return sim.linesWith(text) >= count; });
  }

  test::StandinProcess sim;
};

TEST_F(StandinLink, ConnectsInTheTickTheSimulatorAppearsAndDispatchesAtOnce) {
  EXPECT_EQ(link.SimCon.SimStatus, "Loaded");
  EXPECT_EQ(link.SimCon.erMessage, "");
  for (int i = 0; i < 3; ++i) {
    tick();
    EXPECT_EQ(link.SimCon.SimStatus, "Loaded");
    EXPECT_EQ(view.status, "Loaded");
  }
  EXPECT_EQ(link.SimCon.RxCount, 0);

  sim.start({"--engines", "2", "--title", "Test Twin"});
  tick();
  EXPECT_EQ(link.SimCon.SimStatus, "Connected");
  EXPECT_EQ(view.status, "Loaded") << "the label shows the status at the start of the tick";
  EXPECT_GE(link.SimCon.RxCount, 1) << "the OPEN answer is dispatched in the same tick";
  EXPECT_EQ(link.SimCon.AppVersion, "Stand-in Simulator 10.0.61637.0");
  EXPECT_EQ(link.SimCon.SimConnectVersion, "SimConnect 10.0.61259.0");
  EXPECT_EQ(link.SimCon.Title, "") << "no data before the first 6Hz event";
  tick();
  EXPECT_EQ(view.status, "Connected");

  ASSERT_TRUE(tickUntil([this] { return link.SimCon.Title == "Test Twin"; }));
  EXPECT_EQ(link.SimCon.PlaneData[18].Value, 2.0);
  EXPECT_EQ(link.SimCon.PlaneData[20].Value, 100.0);
  EXPECT_EQ(link.SimCon.PlaneData[21].Name, "GEAR LEFT POSITION");
  EXPECT_EQ(link.SimCon.PlaneData[22].Name, "GEAR RIGHT POSITION");
  EXPECT_EQ(link.SimCon.erMessage, "") << "every datum and event name was accepted";
}

// A stopped simulator (Ctrl+Z) must never hold the window's thread.
TEST_F(StandinLink, StoppedSimulatorNeverHoldsTheTickAndIsConnectedOnceItGoesOn) {
  sim.start();
  sim.pause();
  auto longest = Clock::duration::zero();
  for (int i = 0; i < 20; ++i) {  // more opens than the simulator's queue of connections holds
    const auto begin = Clock::now();
    tick();
    longest = std::max(longest, Clock::now() - begin);
  }
  // A blocking open waits for seconds; this bound leaves room for a loaded machine.
  EXPECT_LT(longest, 250ms);

  sim.resume();
  ASSERT_TRUE(tickUntil([this] { return !link.SimCon.Title.empty(); }));
  EXPECT_EQ(link.SimCon.SimStatus, "Connected");
  // An open whose answer is late is kept, not given up and made again: the
  // simulator sees one client, not one per tick it was stopped.
  EXPECT_EQ(sim.linesWith("client connected"), 1) << sim.output();
}

TEST_F(StandinLink, CallsToASimulatorStoppedWhileConnectedReturnAtOnce) {
  connectWithData();
  sim.pause();
  // Enough events to fill the socket; run aside so a blocked call fails the
  // test instead of hanging it.
  auto calls = std::async(std::launch::async, [this] {
    for (int i = 0; i < 2000; ++i) {
      static_cast<void>(SimLib().SimConnect_TransmitClientEvent(simHandle(link.SimCon.hSimConnect),
                                                                0, 13, 0, 1, 0x10));
      tick();
    }
  });
  const bool returned = calls.wait_for(10s) == std::future_status::ready;
  sim.resume();
  calls.wait();
  EXPECT_TRUE(returned);
  EXPECT_EQ(link.SimCon.SimStatus, "Connected");
  EXPECT_TRUE(simPrinted("TOGGLE_MASTER_BATTERY")) << "the link goes on once the simulator does";
}

TEST_F(StandinLink, QuitReturnsToLoadedAndTheNextSimulatorIsConnected) {
  connectWithData({"--title", "First"});
  const int received = link.SimCon.RxCount;
  sim.stop();
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.SimStatus == "Loaded"; }));
  EXPECT_GT(link.SimCon.RxCount, received);
  tick();
  EXPECT_EQ(link.SimCon.SimStatus, "Loaded") << "no simulator to open";
  EXPECT_EQ(link.SimCon.Title, "First") << "the last values stay";

  connectWithData({"--title", "Second"});
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.Title == "Second"; }));
}

TEST_F(StandinLink, KilledSimulatorDoesNotLeaveTheLinkConnected) {
  connectWithData();
  sim.kill();
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.SimStatus == "Loaded"; }));
  EXPECT_EQ(link.SimCon.hSimConnect, 0U);

  sim.start();
  tick();
  EXPECT_EQ(link.SimCon.SimStatus, "Connected");
}

TEST_F(StandinLink, ClosingTheWindowClosesTheConnectionForGood) {
  connectWithData();
  link.closeWindow();
  EXPECT_TRUE(link.SimCon.Quit);
  EXPECT_EQ(link.SimCon.SimStatus, "Complete");
  EXPECT_EQ(link.SimCon.hSimConnect, 0U);
  ASSERT_TRUE(simPrinted("client closed: Request Data"));
  tick();
  tick();
  EXPECT_EQ(sim.linesWith("client connected"), 1) << "no new connection while the program ends";
}

TEST_F(StandinLink, QuitStatusClosesTheConnectionAndCompletes) {
  connectWithData();
  link.SimCon.SimStatus = "Quit";
  tick();
  EXPECT_EQ(link.SimCon.SimStatus, "Complete");
  ASSERT_TRUE(simPrinted("client closed: Request Data"));
  tick();
  EXPECT_EQ(view.status, "Complete");
  EXPECT_EQ(sim.linesWith("client connected"), 1);
}

TEST_F(StandinLink, CallTheSimulatorRefusesComesBackAsException) {
  connectWithData();
  static_cast<void>(SimLib().SimConnect_MapClientEventToSimEvent(simHandle(link.SimCon.hSimConnect),
                                                                 77, "NO_SUCH_EVENT"));
  ASSERT_TRUE(tickUntil([this] { return !link.SimCon.erMessage.empty(); }));
  EXPECT_EQ(link.SimCon.erMessage, "Unknown dwID: 1");
  EXPECT_EQ(link.SimCon.SimStatus, "Connected");
}

TEST_F(StandinLink, BatteryToggleIsSentOnlyWhenTheAircraftDiffers) {
  connectWithData();
  engine.SetKeyOn(13);
  ASSERT_TRUE(simPrinted("TOGGLE_MASTER_BATTERY 0: ELECTRICAL MASTER BATTERY 1"));
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.PlaneData[1].Value == 1.0; }));
  engine.SetKeyOn(13);
  engine.SetKeyOn(26);
  ASSERT_TRUE(simPrinted("TOGGLE_MASTER_BATTERY 0: ELECTRICAL MASTER BATTERY 0"));
  EXPECT_EQ(sim.linesWith("TOGGLE_MASTER_BATTERY"), 2) << sim.output();
  EXPECT_TRUE(injector.batches.empty()) << "direct events send no keystrokes";
}

TEST_F(StandinLink, CowlFlapsAreSentForEachEngineOfTheAircraft) {
  connectWithData({"--engines", "2"});
  engine.SetKeyOn(32);
  engine.SetKeyOn(17);  // a later event, so everything before it has been applied
  ASSERT_TRUE(simPrinted("ANTI_ICE_ON"));
  EXPECT_EQ(sim.linesWith("COWLFLAP1_SET 16383"), 1);
  EXPECT_EQ(sim.linesWith("COWLFLAP2_SET 16383"), 1);
  EXPECT_EQ(sim.linesWith("COWLFLAP3_SET"), 0) << sim.output();
  EXPECT_EQ(sim.linesWith("COWLFLAP4_SET"), 0);
}

TEST_F(StandinLink, GearLightsFollowTheMovingGear) {
  connectWithData({"--gear", "down"});
  tick();
  engine.SetKeyOn(1);
  ASSERT_TRUE(simPrinted("gear up"));
  tick();
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.LG_Lights == 0; }));
  engine.SetKeyOn(5);
  ASSERT_TRUE(simPrinted("gear down"));
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.LG_Lights == 7; }));

  std::vector<int> shown = panel.lightBytes();
  shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
  EXPECT_THAT(shown, ElementsAre(0, 7, 56, 0, 56, 7))
      << "dark before data, green, red moving up, dark, red moving down, green";
  EXPECT_EQ(view.lightByteText, "7");
  EXPECT_GE(panel.reports.size(), 8U) << "intermediate positions are reported as they change";
}

// The same pair over loopback TCP, as the Windows library meets a simulator.
class StandinLinkOverTcp : public StandinLink {
 protected:
  StandinLinkOverTcp() { sim.useTcp(); }
};

TEST_F(StandinLinkOverTcp, ConnectsReceivesDataAppliesEventsAndSeesTheSimulatorGo) {
  // Not bound to the first tick: a loaded machine may answer an open late.
  sim.start({"--title", "Over TCP"});
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.Title == "Over TCP"; }));
  EXPECT_EQ(link.SimCon.AppVersion, "Stand-in Simulator 10.0.61637.0");
  engine.SetKeyOn(13);
  ASSERT_TRUE(simPrinted("TOGGLE_MASTER_BATTERY 0: ELECTRICAL MASTER BATTERY 1"));
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.PlaneData[1].Value == 1.0; }));

  sim.stop();
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.SimStatus == "Loaded"; }))
      << "the link sees the simulator stop";
  sim.start();
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.SimStatus == "Connected"; }));
  sim.kill();
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.SimStatus == "Loaded"; }))
      << "a closed stream ends the connection";
}

}  // namespace
}  // namespace qv
