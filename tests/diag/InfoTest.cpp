#include <gtest/gtest.h>

#include "tests/diag/support/ConsoleRig.h"

namespace qv {
namespace {

class InfoTest : public ::testing::Test {
 protected:
  InfoTest() { rig.platform.languageNames = {{0x0409, "English (United States)"}}; }

  // Clicks InfoBtn; the dialog shown, or nullptr.
  const test::HeadlessControls* clickInfo() {
    rig.toolkit.modal.reset();
    rig.console.InfoBtnClick();
    return rig.toolkit.modal.get();
  }

  test::ConsoleRig rig;
};

TEST_F(InfoTest, ShowsTheSelectedDevicesIdsLengthsAndStrings) {
  test::ScriptedDeviceSpec traits;  // the switch panel: 06A3 / 0D67, version 0x0100
  traits.lengths = {4, 0, 17};
  traits.serial = u"A1";
  traits.indexedStrings = {{1, u"Saitek"}, {7, u"Panel"}, {255, u"Last"}};
  rig.platform.plugIn(traits);
  rig.activateAndScan();
  rig.console.showSimulator("FlightGear", "Cessna 172P");

  const test::HeadlessControls* info = clickInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->text("hidform"), "Info");
  EXPECT_EQ(info->text("SimName"), "FlightGear");
  EXPECT_EQ(info->text("AircraftTitle"), "Cessna 172P");
  EXPECT_EQ(info->text("Vid"), "06A3 = 1699");
  EXPECT_EQ(info->text("Pid"), "0D67 = 3431");
  EXPECT_EQ(info->text("Vers"), "0100 = 256");
  EXPECT_EQ(info->text("InputLen"), "3");
  EXPECT_EQ(info->text("OutputLen"), "0");  // length 0 keeps the design text
  EXPECT_EQ(info->text("FeatureLen"), "10");
  EXPECT_EQ(info->text("VendorName"), "Saitek");
  EXPECT_EQ(info->text("ProductName"), "Saitek Pro Flight Switch Panel");
  EXPECT_EQ(info->text("SerialNo"), "A1");
  EXPECT_EQ(info->items("DevStrings"),
            (std::vector<std::string>{"  1) Saitek", "  7) Panel", "255) Last"}));
  EXPECT_EQ(info->items("LangStrings"), std::vector<std::string>{"English (United States)"});
}

TEST_F(InfoTest, ADeviceWithoutLanguageTableShowsNoLanguagesAndNoSerial) {
  test::ScriptedDeviceSpec traits;
  traits.ids = {0x046D, 0xC52B, 0x1201};
  traits.product = u"";
  traits.serial = u"S9";
  traits.languageIds = std::nullopt;
  traits.lengths = {1, 2, 0};
  rig.platform.plugIn(traits);
  rig.activateAndScan();

  const test::HeadlessControls* info = clickInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->text("Vid"), "046D = 1133");
  EXPECT_EQ(info->text("InputLen"), "0");
  EXPECT_EQ(info->text("OutputLen"), "1");
  EXPECT_TRUE(info->text("SerialNo").empty());
  EXPECT_TRUE(info->items("DevStrings").empty());
  EXPECT_TRUE(info->items("LangStrings").empty());
}

TEST_F(InfoTest, NoDialogWithoutASelectedEntry) {
  rig.activateAndScan();  // no device present
  EXPECT_EQ(clickInfo(), nullptr);
}

}  // namespace
}  // namespace qv
