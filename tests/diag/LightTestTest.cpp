#include <gtest/gtest.h>

#include <vector>

#include "diag/LightTest.h"
#include "diag/TestPage.h"
#include "tests/diag/support/ConsoleRig.h"
#include "tests/diag/support/RecordingPanel.h"
#include "tests/support/HeadlessControls.h"
#include "tests/support/RecordingHistory.h"

namespace qv {
namespace {

class LightTestTest : public ::testing::Test {
 protected:
  LightTestTest() { page.setLightTestTarget(&panel, &history); }

  void choose(const char* group, LightItem item) { controls.choose(group, item); }
  void pressTestLights() { controls.click("sswptestSpeedButton1"); }

  // The feature report the panel must receive for a light byte.
  [[nodiscard]] std::vector<uint8_t> expectedReport(uint8_t lightByte) const {
    std::vector<uint8_t> report(panel.featureLength, 0);
    report[1] = lightByte;
    return report;
  }

  // The button reaches the page as the window passes it on.
  class Clicks final : public FormEvents {
   public:
    explicit Clicks(TestPage& page) : page_(page) {}
    void clicked(std::string_view name) override {
      if (name == "sswptestSpeedButton1") {
        page_.sswptestSpeedButton1Click();
      }
    }
    void pageChanged(std::string_view) override {}
    void keyDown(std::string_view, int) override {}
    void shown() override {}
    void activated() override {}
    void closing() override {}

   private:
    TestPage& page_;
  };

  test::RecordingPanel panel;
  test::RecordingHistory history;
  test::HeadlessControls controls{mainWindowForm()};
  TestPage page{controls};
  Clicks clicks{page};
  void SetUp() override { controls.setEvents(&clicks); }
};

TEST_F(LightTestTest, SendsTheSumOfTheGroupValuesAsTheLightByte) {
  choose("RadioGroup1", kLightAmber);
  choose("RadioGroup2", kLightAmber);
  choose("RadioGroup3", kLightAmber);
  pressTestLights();

  choose("RadioGroup1", kLightOff);
  choose("RadioGroup2", kLightOff);
  pressTestLights();  // left "Amber" alone lights bit 6 too: 82, not 18

  choose("RadioGroup1", kLightGreen);
  choose("RadioGroup2", kLightRed);
  choose("RadioGroup3", kLightOff);
  pressTestLights();

  ASSERT_EQ(panel.reports.size(), 3U);
  EXPECT_EQ(panel.reports[0], expectedReport(127));
  EXPECT_EQ(panel.reports[1], expectedReport(82));
  EXPECT_EQ(panel.reports[2], expectedReport(33));
  EXPECT_EQ(history.lines, (std::vector<std::string>{"", "", ""}));
}

TEST_F(LightTestTest, TheGroupsCarryTheirItemsInTheOrderOfTheLightValues) {
  for (const char* group : {"RadioGroup1", "RadioGroup2", "RadioGroup3"}) {
    EXPECT_EQ(controls.at(group).items, (std::vector<std::string>{"Off", "Green", "Red", "Amber"}))
        << group;
  }
  EXPECT_EQ(controls.text("RadioGroup2"), "Rigth");
}

TEST_F(LightTestTest, NothingSelectedTurnsEveryLightOff) {
  pressTestLights();
  ASSERT_EQ(panel.reports.size(), 1U);
  EXPECT_EQ(panel.reports[0], expectedReport(0));
}

TEST_F(LightTestTest, ChoosingItemsAloneSendsNothing) {
  choose("RadioGroup1", kLightRed);
  choose("RadioGroup3", kLightGreen);
  EXPECT_TRUE(panel.reports.empty());
  EXPECT_TRUE(history.lines.empty());
}

TEST_F(LightTestTest, WithoutABoundPanelNothingIsSentOrLogged) {
  panel.bound = false;
  choose("RadioGroup2", kLightGreen);
  pressTestLights();
  EXPECT_TRUE(panel.reports.empty());
  EXPECT_TRUE(history.lines.empty());
}

TEST_F(LightTestTest, ByteTwoIsTheNumberOfDvrEdit3) {
  controls.setText("dvrEdit3", "5");
  pressTestLights();
  controls.setText("dvrEdit3", "x");
  pressTestLights();
  ASSERT_EQ(panel.reports.size(), 2U);
  EXPECT_EQ(panel.reports[0].at(2), 5);
  EXPECT_EQ(panel.reports[1].at(2), 0);
}

TEST_F(LightTestTest, FollowsTheFeatureLengthOfThePanel) {
  panel.featureLength = 2;
  choose("RadioGroup1", kLightGreen);
  pressTestLights();
  panel.featureLength = 100;  // longer than any fixed report buffer
  pressTestLights();
  const std::vector<uint8_t> longReport = expectedReport(1);
  panel.featureLength = 0;  // capabilities not readable
  pressTestLights();
  ASSERT_EQ(panel.reports.size(), 2U);
  EXPECT_EQ(panel.reports[0], (std::vector<uint8_t>{0, 1}));
  EXPECT_EQ(panel.reports[1], longReport);
  EXPECT_EQ(history.lines.size(), 3U);
}

TEST(LightTestOnThePanel, ReachesTheBoundPanelsFeatureReportUntilItIsUnplugged) {
  test::ConsoleRig rig;
  test::ScriptedDeviceSpec mouseSpec;
  mouseSpec.ids = {0x046D, 0xC52B, 1};
  mouseSpec.product = u"Mouse";
  const auto mouse = rig.platform.plugIn(mouseSpec);
  const auto panel = rig.platform.plugIn();  // feature report length 3
  rig.activateAndScan();
  for (const char* group : {"RadioGroup1", "RadioGroup2", "RadioGroup3"}) {
    rig.controls.choose(group, kLightAmber);
  }
  rig.page.sswptestSpeedButton1Click();
  EXPECT_EQ(panel->features(), (std::vector<std::vector<uint8_t>>{{0, 127, 0}}));
  EXPECT_TRUE(mouse->features().empty());
  EXPECT_EQ(rig.history().back(), "");

  rig.platform.unplug(panel);
  rig.controller.DeviceChangeNotification(0);
  ASSERT_EQ(rig.binding.SaitekSwitchPanel(), nullptr);
  rig.page.sswptestSpeedButton1Click();
  EXPECT_EQ(panel->features().size(), 1U);
  EXPECT_TRUE(mouse->features().empty());
}

}  // namespace
}  // namespace qv
