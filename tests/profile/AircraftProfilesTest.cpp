#include <gtest/gtest.h>

#include <fstream>

#include "profile/AircraftProfiles.h"
#include "profile/FileReplacementStorage.h"
#include "profile/Settings.h"
#include "tests/support/TempFolder.h"

namespace qv {
namespace {

TEST(AircraftProfiles, LongestPrefixOfTheTitlesFileName) {
  const std::filesystem::path folder = test::makeTempFolder("qv-aircraft-");
  for (const char* name : {"Cessna.psv", "Cessna 172P.psv", "Cessna 172P Skyhawk G1000.psv",
                           "Boeing 737_800 _Winglets_.psv", "Piper Cub.txt"}) {
    std::ofstream(folder / name) << "";
  }
  const std::string at = folder.string();
  const auto in = [&](const char* name) { return (folder / name).string(); };
  EXPECT_EQ(aircraftProfileFor(at, "Cessna 172P Skyhawk"), in("Cessna 172P.psv"));
  EXPECT_EQ(aircraftProfileFor(at, "CESSNA 182"), in("Cessna.psv"));
  EXPECT_EQ(aircraftProfileFor(at, "Boeing 737/800 \"Winglets\" (new)"),
            in("Boeing 737_800 _Winglets_.psv"));
  EXPECT_EQ(aircraftProfileFor(at, "Piper Cub"), std::nullopt);
  EXPECT_EQ(aircraftProfileFor(in("missing"), "Cessna 172P"), std::nullopt);
  EXPECT_EQ(fileNameOfTitle("a<b>c:d\"e/f\\g|h?i*j\tk"), "a_b_c_d_e_f_g_h_i_j_k");
  EXPECT_EQ(aircraftProfileFolder("profile.psv"), "profiles");
  std::filesystem::remove_all(folder);
}

TEST(Settings, RoundTripBesideTheProfile) {
  const std::filesystem::path folder = test::makeTempFolder("qv-settings-");
  const std::string file = settingsFileBeside((folder / "profile.psv").string());
  EXPECT_EQ(file, (folder / "quorvane-settings.ini").string());
  EXPECT_FALSE(readSettings(file).syncAircraftToPanel);
  FileReplacementStorage storage;
  for (const bool sync : {true, false}) {
    ASSERT_TRUE(writeSettings(storage, file, {sync}));
    EXPECT_EQ(readSettings(file).syncAircraftToPanel, sync);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qv
