#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "profile/ProfileFile.h"
#include "sim/AircraftSync.h"
#include "tests/sim/StandinProcess.h"
#include "tests/ui/support/HeadlessWindow.h"
#include "ui/AircraftFollower.h"

namespace qv::test {
namespace {

// The default profile with the taxi lights' ON row on a key, and the
// lines given appended.
void writeProfile(const std::filesystem::path& file, const std::string& extra = {}) {
  std::ifstream in(fixture("default-profile.psv"), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string profile = text.str();
  const std::string taxi = "24,\"Lights - Taxi\",\"K\",\"N None\",\"0\"";
  profile.replace(profile.find(taxi), taxi.size(), "24,\"Lights - Taxi\",\"K\",\"N None\",\"84\"");
  std::ofstream(file, std::ios::binary) << profile << extra;
}

TEST(AircraftFollowsPanel, SyncAfterConnectAndTitleChangeWithTheAircraftsProfile) {
  StandinProcess simulator;
  simulator.start({"--title", "Piper Cub"});
  HeadlessWindow window(
      [](const std::filesystem::path& folder) {
        writeProfile(folder / "profile.psv");
        std::filesystem::create_directory(folder / "profiles");
        writeProfile(folder / "profiles" / "Cessna 172P.psv");
        writeProfile(folder / "profiles" / "Broken Jet.psv", "13,\"too few\"\r\n");
        std::ofstream(folder / "quorvane-settings.ini") << "SyncAircraftToPanel=1\r\n";
      },
      nullptr, nullptr, QV_STANDIN_LIBRARY);
  const auto tickUntil = [&](const std::function<bool()>& done) {
    const auto step = [&] {
      window.toolkit.loop.runPending();
      window.toolkit.tick();
    };
    return repeatUntil(step, done);
  };
  const auto history = [&](const std::string& line) {
    const std::vector<std::string> lines = window.controls.items("HistoryListBox");
    return std::count(lines.begin(), lines.end(), line);
  };
  EXPECT_TRUE(window.controls.checked(kSyncCheckBox));
  const auto panel = window.platform.plugIn();
  ASSERT_TRUE(tickUntil([&] { return history(kSyncWaitsLine) == 1; }));
  EXPECT_EQ(simulator.linesWith("MAGNETO"), 0);

  // Battery and taxi lights on, knob on BOTH, gear lever up.
  panel->sendInput({0, 0x01, 0x08, 0x05});
  ASSERT_TRUE(tickUntil([&] { return simulator.linesWith("MAGNETO_BOTH 0") == 1; }));
  EXPECT_EQ(simulator.linesWith("TOGGLE_MASTER_BATTERY 0: ELECTRICAL MASTER BATTERY 1"), 1);
  EXPECT_EQ(simulator.linesWith("TAXI"), 0);
  EXPECT_EQ(history("Sync: TOGGLE_MASTER_BATTERY 0 (Master Battery)"), 1);
  EXPECT_EQ(history(kGearLeftToPilotLine), 1);

  simulator.type("title Cessna 172P Skyhawk");
  ASSERT_TRUE(tickUntil([&] { return simulator.linesWith("MAGNETO_BOTH 0") == 2; }));
  EXPECT_EQ(window.controls.text("MainForm"), "Quorvane - profiles/Cessna 172P.psv");
  EXPECT_EQ(simulator.linesWith("TOGGLE_MASTER_BATTERY"), 1);  // already on

  // A broken profile keeps the current one and says so once per title.
  const size_t shownBefore = window.toolkit.shown.size();
  int syncs = 2;
  for (const std::string title : {"Broken Jet", "Cessna 172P", "Broken Jet"}) {
    simulator.type("title " + title);
    ASSERT_TRUE(tickUntil([&] { return simulator.linesWith("MAGNETO_BOTH 0") == syncs + 1; }));
    ++syncs;
  }
  ASSERT_EQ(window.toolkit.shown.size(), shownBefore + 1);
  EXPECT_TRUE(window.toolkit.shown.back().starts_with(std::string(kLoadFailedMessage) +
                                                      "profiles/Broken Jet.psv"));
  EXPECT_EQ(window.controls.text("MainForm"), "Quorvane - profiles/Cessna 172P.psv");

  // Unsaved changes are asked about; No keeps them and the profile.
  window.controls.setText("Edit4", "99");
  simulator.type("title Piper Cub");
  ASSERT_TRUE(tickUntil([&] { return window.toolkit.asked.size() == 1; }));
  EXPECT_EQ(window.controls.text("Edit4"), "99");
  EXPECT_EQ(window.controls.text("MainForm"), "Quorvane - profiles/Cessna 172P.psv");
  EXPECT_EQ(simulator.linesWith("GEAR"), 0);
}

}  // namespace
}  // namespace qv::test
