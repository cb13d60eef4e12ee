// The link and engine against an X-Plane written from its UDP documentation.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "sim/XPlaneConnection.h"
#include "tests/sim/XPlaneEndpoint.h"
#include "tests/support/LinkedEngine.h"

namespace qv {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string kBattery = "sim/cockpit2/electrical/battery_on[0]";

class XPlaneLink : public ::testing::Test, protected test::LinkedEngine {
 protected:
  XPlaneLink() {
    link.SimC_Init("no-such-client-library");
    std::vector<std::string> errors;
    SimulatorMapping mapping = SimulatorMapping::load({QV_SIMULATORS_JSON}, "xplane", errors);
    EXPECT_THAT(errors, ElementsAre());
    mapping.port = xplane.port();
    link.addConnection(std::make_unique<XPlaneConnection>(mapping));
  }

  // One tick of the program, then X-Plane takes the requests and answers.
  void step() {
    engine.Timer1Timer();
    std::this_thread::sleep_for(10ms);
    xplane.serve();
    if (answering) {
      xplane.answer(1);
    }
    std::this_thread::sleep_for(10ms);
  }
  bool stepUntil(const std::function<bool()>& done) {
    for (const auto end = Clock::now() + 10s; !done(); step()) {
      if (Clock::now() > end) {
        return false;
      }
    }
    return true;
  }
  void setGear(float ratio) {
    for (const char* leg : {"[0]", "[1]", "[2]"}) {
      xplane.datarefs[std::string("sim/flightmodel2/gear/deploy_ratio") + leg] = ratio;
    }
    ASSERT_TRUE(stepUntil([&] { return link.SimCon.PlaneData[20].Value == ratio * 100.0; }));
  }

  test::XPlaneEndpoint xplane;
  bool answering = true;
};

TEST_F(XPlaneLink, ConnectsOnDataWritesTheDocumentedDatarefsAndLightsTheGear) {
  xplane.setTitle("Baron 58");
  xplane.datarefs["sim/aircraft/engine/acf_num_engines"] = 2;
  answering = false;
  step();
  step();
  EXPECT_EQ(link.SimCon.SimStatus, "Loaded") << "subscribed, but no data yet";
  EXPECT_EQ(xplane.subscriptions.at(0), "sim/aircraft/view/acf_descrip[0]");

  // Each value in a datagram of its own, the datagrams reordered.
  answering = true;
  setGear(1.0F);
  ASSERT_TRUE(stepUntil([&] { return link.SimCon.Title == "Baron 58"; }));
  EXPECT_EQ(link.SimCon.SimStatus, "Connected");
  EXPECT_EQ(link.SimCon.PlaneData[18].Value, 2.0);
  EXPECT_THAT(view.simulators, Contains("X-Plane|Baron 58"));

  // Battery on, then off again after a tick that read an answer sent
  // before X-Plane took the first write.
  engine.SetKeyOn(13);
  engine.Timer1Timer();
  engine.SetKeyOn(26);
  for (int knob = 8; knob <= 12; ++knob) {
    engine.SetKeyOn(knob);
  }
  ASSERT_TRUE(stepUntil([&] { return xplane.writeCount >= 7; }));
  EXPECT_THAT(xplane.writes[kBattery], ElementsAre(1.0F, 0.0F));
  EXPECT_THAT(xplane.writes["sim/cockpit2/engine/actuators/ignition_key[0]"],
              ElementsAre(0.0F, 2.0F, 1.0F, 3.0F, 4.0F))
      << "off, MAGNETO_RIGHT (function 9), MAGNETO_LEFT (10), both, start";

  for (const float ratio : {0.5F, 0.0F, 0.5F, 1.0F}) {
    setGear(ratio);
  }
  std::vector<int> shown = panel.lightBytes();
  shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
  EXPECT_THAT(shown, ElementsAre(0, 7, 56, 0, 56, 7))
      << "dark before data, green, red moving up, dark, red moving down, green";
  EXPECT_EQ(xplane.malformed, 0);
}

TEST_F(XPlaneLink, LostAndBrokenDatagramsAreMendedAndSilenceEndsTheConnection) {
  xplane.setTitle("Cub");
  xplane.datarefs[kBattery] = 1.0F;
  xplane.loseRequests = 2;  // the title's first two bytes
  ASSERT_TRUE(stepUntil([&] { return link.SimCon.SimStatus == "Connected"; }));
  EXPECT_EQ(link.SimCon.Title, "");
  ASSERT_TRUE(stepUntil([&] { return link.SimCon.Title == "Cub"; }));

  int32_t battery = -1;
  for (const auto& [index, name] : xplane.subscriptions) {
    battery = name == kBattery ? index : battery;
  }
  xplane.sendPairs({{9999, 5.0F}, {-1, 5.0F}, {battery, std::nanf("")}}, 7);
  std::this_thread::sleep_for(20ms);
  engine.Timer1Timer();
  EXPECT_EQ(link.SimCon.PlaneData[1].Value, 1.0);
  EXPECT_EQ(link.SimCon.Title, "Cub");

  answering = false;
  const Clock::time_point silent = Clock::now();
  ASSERT_TRUE(stepUntil([&] { return link.SimCon.SimStatus == "Loaded"; }));
  EXPECT_GT(Clock::now() - silent, 4s) << "X-Plane may stall for a few seconds";
  EXPECT_THAT(xplane.subscriptions, ElementsAre()) << "a closed connection unsubscribes";
  step();
  EXPECT_EQ(view.status, "Loaded");

  answering = true;
  ASSERT_TRUE(stepUntil([&] { return link.SimCon.SimStatus == "Connected"; }));
}

}  // namespace
}  // namespace qv
