#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "diag/LightTest.h"
#include "diag/TestPage.h"
#include "tests/diag/support/ConsoleRig.h"
#include "tests/support/RecordingHistory.h"
#include "tests/diag/support/RecordingPanel.h"

namespace qv {
namespace {

class LightTestTest : public ::testing::Test {
 protected:
  LightTestTest() {
    dvrEdit3.setText("0");
    page.setLightTestTarget(&panel, &history, &dvrEdit3);
  }

  void choose(const char* group, const char* item) {
    for (QRadioButton* button : page.findChild<QGroupBox*>(group)->findChildren<QRadioButton*>()) {
      if (button->text() == item) {
        button->click();
        return;
      }
    }
    FAIL() << group << " has no item " << item;
  }

  void pressTestLights() { page.findChild<QPushButton*>("sswptestSpeedButton1")->click(); }

  // The feature report the panel must receive for a light byte.
  [[nodiscard]] std::vector<uint8_t> expectedReport(uint8_t lightByte) const {
    std::vector<uint8_t> report(panel.featureLength, 0);
    report[1] = lightByte;
    return report;
  }

  test::RecordingPanel panel;
  test::RecordingHistory history;
  QLineEdit dvrEdit3;
  TestPage page;
};

TEST_F(LightTestTest, SendsTheSumOfTheGroupValuesAsTheLightByte) {
  choose("RadioGroup1", "Amber");
  choose("RadioGroup2", "Amber");
  choose("RadioGroup3", "Amber");
  pressTestLights();

  choose("RadioGroup1", "Off");
  choose("RadioGroup2", "Off");
  pressTestLights();  // left "Amber" alone lights bit 6 too: 82, not 18

  choose("RadioGroup1", "Green");
  choose("RadioGroup2", "Red");
  choose("RadioGroup3", "Off");
  pressTestLights();

  ASSERT_EQ(panel.reports.size(), 3U);
  EXPECT_EQ(panel.reports[0], expectedReport(127));
  EXPECT_EQ(panel.reports[1], expectedReport(82));
  EXPECT_EQ(panel.reports[2], expectedReport(33));
  EXPECT_EQ(history.lines, (std::vector<std::string>{"", "", ""}));
}

TEST_F(LightTestTest, NothingSelectedTurnsEveryLightOff) {
  pressTestLights();
  ASSERT_EQ(panel.reports.size(), 1U);
  EXPECT_EQ(panel.reports[0], expectedReport(0));
}

TEST_F(LightTestTest, ChoosingItemsAloneSendsNothing) {
  choose("RadioGroup1", "Red");
  choose("RadioGroup3", "Green");
  EXPECT_TRUE(panel.reports.empty());
  EXPECT_TRUE(history.lines.empty());
}

TEST_F(LightTestTest, WithoutABoundPanelNothingIsSentOrLogged) {
  panel.bound = false;
  choose("RadioGroup2", "Green");
  pressTestLights();
  EXPECT_TRUE(panel.reports.empty());
  EXPECT_TRUE(history.lines.empty());
}

TEST_F(LightTestTest, ByteTwoIsTheNumberOfDvrEdit3) {
  dvrEdit3.setText("5");
  pressTestLights();
  ASSERT_EQ(panel.reports.size(), 1U);
  EXPECT_EQ(panel.reports[0].at(2), 5);
}

TEST_F(LightTestTest, FollowsTheFeatureLengthOfThePanel) {
  panel.featureLength = 2;
  choose("RadioGroup1", "Green");
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
  for (QGroupBox* group : rig.page.findChildren<QGroupBox*>()) {
    group->findChildren<QRadioButton*>().at(kLightAmber)->click();
  }
  rig.page.findChild<QPushButton*>("sswptestSpeedButton1")->click();
  EXPECT_EQ(panel->features(), (std::vector<std::vector<uint8_t>>{{0, 127, 0}}));
  EXPECT_TRUE(mouse->features().empty());

  rig.platform.unplug(panel);
  rig.controller.DeviceChangeNotification(0);
  ASSERT_EQ(rig.binding.SaitekSwitchPanel(), nullptr);
  rig.page.findChild<QPushButton*>("sswptestSpeedButton1")->click();
  EXPECT_EQ(panel->features().size(), 1U);
  EXPECT_TRUE(mouse->features().empty());
}

}  // namespace
}  // namespace qv
