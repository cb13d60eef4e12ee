// The simulator link against the real FlightGear: a scripted panel's
// reports go through the engine and the link to FlightGear's properties,
// and the gear FlightGear moves comes back as the panel's light reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "profile/AircraftProfiles.h"
#include "sim/FlightGearConnection.h"
#include "tests/sim/FlightGearProcess.h"
#include "tests/support/LinkedEngine.h"

namespace qv {
namespace {

using namespace std::chrono_literals;

class FlightGear : public ::testing::Test, protected test::LinkedEngine {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fg.waitUntilFlying(600s)) << "see " QV_FLIGHTGEAR_HOME "/fgfs.log";
    // The installed table, and a user's file that moves the port.
    const std::string user = QV_FLIGHTGEAR_HOME "/port.json";
    std::ofstream(user) << R"({"flightgear": {"port": )" << fg.port() << "}}";
    std::vector<std::string> errors;
    link.addConnection(std::make_unique<FlightGearConnection>(
        SimulatorMapping::load({QV_SIMULATORS_JSON, user}, "flightgear", errors)));
    ASSERT_TRUE(errors.empty()) << errors.front();
    link.SimC_Init("no such library");
    flip(1, false);  // the first report only records the resting state
  }

  // The panel's three data bytes with switch k on or off.
  void flip(int k, bool on) {
    const size_t byte = static_cast<size_t>((k - 1) / 8);
    const auto bit = static_cast<uint8_t>(1U << (7 - (k - 1) % 8));
    resting_.at(byte) = on ? resting_.at(byte) | bit : resting_.at(byte) & ~bit;
    engine.ShowRead(0x06A3, 0x0D67, 0, resting_.data(), 3);
  }
  // The knob's switch `number` on, the other four off.
  void knob(int number) {
    for (int k : {11, 10, 9, 24, 23}) {
      if (k != number) {
        flip(k, false);
      }
    }
    flip(number, true);
  }
  // Ticks at the window's rate until `done` holds; false after `limit`.
  bool tickUntil(const std::function<bool()>& done, std::chrono::seconds limit = 20s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) {
        return false;
      }
      engine.Timer1Timer();
      std::this_thread::sleep_for(250ms);
    }
    return true;
  }
  // Ticks until FlightGear's property reads `value`.
  bool reaches(const std::string& path, const std::string& value) {
    return tickUntil([&] { return fg.get(path) == value; });
  }

  test::FlightGearProcess fg{QV_FLIGHTGEAR_HOME};
  std::array<uint8_t, 3> resting_{};
};

TEST_F(FlightGear, SwitchesReachTheAircraftAndTheGearLightsFollowItsGear) {
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.Title == fg.get("/sim/description"); }));
  EXPECT_EQ(view.status, "Connected");
  EXPECT_EQ(view.simulators.back(),
            "FlightGear " + fg.get("/sim/version/flightgear") + "|" + link.SimCon.Title);

  struct Switch {
    int number;
    const char* path;
  };
  for (const Switch& s :
       {Switch{8, "/controls/switches/master-bat"}, Switch{7, "/controls/switches/master-alt"},
        Switch{6, "/controls/switches/master-avionics"}, Switch{16, "/controls/lighting/beacon"},
        Switch{15, "/controls/lighting/nav-lights"}, Switch{13, "/controls/lighting/taxi-light"},
        Switch{12, "/controls/lighting/landing-lights"}, Switch{14, "/controls/lighting/strobe"},
        Switch{3, "/controls/anti-ice/pitot-heat"}}) {
    flip(s.number, true);
    EXPECT_TRUE(reaches(s.path, "true")) << s.path;
    flip(s.number, false);
    EXPECT_TRUE(reaches(s.path, "false")) << s.path;
  }
  // The battery again, so the gear's hydraulics have power.
  flip(8, true);
  ASSERT_TRUE(reaches("/controls/switches/master-bat", "true"));

  // The knob through its five positions: off, right, left, both, start.
  for (const auto& [number, magnetos] :
       {std::pair{11, "0"}, std::pair{10, "1"}, std::pair{9, "2"}, std::pair{24, "3"}}) {
    knob(number);
    EXPECT_TRUE(reaches("/controls/switches/magnetos", magnetos)) << number;
  }
  knob(23);
  EXPECT_TRUE(reaches("/controls/switches/starter", "true"));
  knob(24);
  EXPECT_TRUE(reaches("/controls/switches/starter", "false"));

  // The amphibian's gear moves once its circuit breakers are in.
  for (const char* breaker : {"hydraulic-pump", "gear-select", "gear-advisory"}) {
    fg.set(std::string("/controls/circuit-breakers/") + breaker, "true");
  }
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.LG_Lights == 7; })) << "green while down";
  const size_t before = panel.reports.size();
  flip(21, false);
  flip(22, true);  // lever up
  ASSERT_TRUE(reaches("/controls/gear/gear-down-command", "false"));
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.LG_Lights == 0; }, 60s)) << "dark when up";
  EXPECT_EQ(fg.get("/gear/gear[0]/position-norm"), "0");
  flip(22, false);
  flip(21, true);  // lever down
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.LG_Lights == 7; }, 60s)) << "green again";

  const std::vector<int> all = panel.lightBytes();
  std::vector<int> shown(all.begin() + static_cast<long>(before), all.end());
  shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
  ASSERT_GE(shown.size(), 3U);
  EXPECT_EQ(shown.front(), 56) << "red while moving up";
  EXPECT_NE(std::find(shown.begin(), shown.end(), 0), shown.end());
  EXPECT_EQ(shown.back(), 7);
  EXPECT_TRUE(injector.batches.empty()) << "direct events send no keystrokes";

  // The sync brings the battery back to the panel's switch, never the gear.
  fg.set("/controls/switches/master-bat", "false");
  ASSERT_TRUE(tickUntil([this] { return link.SimCon.PlaneData[1].Value == 0.0; }));
  const std::vector<std::string> synced = link.syncToPanel(engine.switchkeys);
  EXPECT_NE(std::find(synced.begin(), synced.end(), "Sync: TOGGLE_MASTER_BATTERY 0 ()"),
            synced.end());
  EXPECT_TRUE(reaches("/controls/switches/master-bat", "true"));
  EXPECT_EQ(fg.get("/controls/gear/gear-down-command"), "true");

  // The title picks the profile named after its beginning.
  const std::string profiles = QV_FLIGHTGEAR_HOME "/profiles";
  const std::string profile = profiles + "/" + fileNameOfTitle(link.SimCon.Title.substr(0, 5));
  std::filesystem::create_directories(profiles);
  std::ofstream(profile + ".psv") << "";
  EXPECT_EQ(aircraftProfileFor(profiles, link.SimCon.Title), profile + ".psv");
}

}  // namespace
}  // namespace qv
