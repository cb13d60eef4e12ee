#include "sim/GearLights.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim/SimulatorLink.h"
#include "tests/support/SimFakes.h"

namespace qv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(GearLightByte, DarkAtZeroGreenFromHundredRedBetween) {
  EXPECT_EQ(gearLightByte(0, 100, 100), 6);
  EXPECT_EQ(gearLightByte(50, 50, 50), 56);
  EXPECT_EQ(gearLightByte(100, 100, 100), 7);
  EXPECT_EQ(gearLightByte(0, 0, 0), 0);
  EXPECT_EQ(gearLightByte(99.9, 100.0, 100.5), 8 + 2 + 4);
  EXPECT_EQ(gearLightByte(-1, 0, 0), 8);
  EXPECT_EQ(gearLightByte(0, 0.001, 0), 16);
}

class GearLights : public ::testing::Test {
 protected:
  void setGear(double nose, double left, double right) {
    link.SimCon.PlaneData[20].Value = nose;
    link.SimCon.PlaneData[21].Value = left;
    link.SimCon.PlaneData[22].Value = right;
  }

  KeyArray keyarray{};
  test::RecordingPanel panel;
  test::RecordingView view;
  SimulatorLink link{keyarray, panel, view};
};

TEST_F(GearLights, FirstRefreshSendsDarkThenOnlyChangesAreSent) {
  link.SimCon.LG_Lights = kNoLightsYet;
  link.gearLightRefresh();
  EXPECT_THAT(panel.lightBytes(), ElementsAre(0));
  EXPECT_EQ(link.SimCon.LG_Lights, 0);
  EXPECT_EQ(view.lightByteText, "0");

  link.gearLightRefresh();
  EXPECT_EQ(panel.reports.size(), 1U) << "unchanged positions send nothing";

  setGear(0, 100, 100);
  link.gearLightRefresh();
  setGear(0, 100, 100);
  link.gearLightRefresh();
  setGear(0, 100, 99.9);
  link.gearLightRefresh();
  EXPECT_THAT(panel.lightBytes(), ElementsAre(0, 6, 2 + 32));
  EXPECT_EQ(view.lightByteText, "34");
  EXPECT_EQ(link.SimCon.LG_Right, 99.9);
}

TEST_F(GearLights, ReportIsPaddedToTheFeatureLengthOfThePanel) {
  panel.length = 9;
  link.LG_Send(0x1FF);
  ASSERT_EQ(panel.reports.size(), 1U);
  EXPECT_THAT(panel.reports[0], ElementsAre(0, 0xFF, 0, 0, 0, 0, 0, 0, 0));
}

TEST_F(GearLights, WithoutPanelNothingIsSentButTheStateIsTaken) {
  panel.bound = false;
  link.SimCon.LG_Lights = kNoLightsYet;
  setGear(50, 100, 0);
  link.gearLightRefresh();
  EXPECT_THAT(panel.reports, IsEmpty());
  EXPECT_EQ(link.SimCon.LG_Lights, 8 + 2);
  EXPECT_EQ(view.lightByteText, "10");

  panel.bound = true;
  link.gearLightRefresh();
  EXPECT_THAT(panel.reports, IsEmpty()) << "a panel bound later waits for a change";
}

TEST_F(GearLights, PanelWhoseLengthIsUnknownGetsNoReport) {
  panel.length = 0;
  link.LG_Send(7);
  EXPECT_THAT(panel.reports, IsEmpty());
}

TEST_F(GearLights, PatternSetsPanelAndOnScreenCopies) {
  const char* patterns[] = {"7", "56", "127", "0"};
  for (int i = 0; i < 4; ++i) {
    keyarray[static_cast<size_t>(i + 2)].value = patterns[i];
    link.LG_LED(i + 2);
  }
  EXPECT_THAT(panel.lightBytes(), ElementsAre(7, 56, 127, 0));
  EXPECT_THAT(view.colours, ElementsAre(0x008000U, 0x0000FFU, 0x00FFFFU, 0xFFFFFFU));
}

TEST_F(GearLights, PatternThatIsNoNumberSendsDarkAndKeepsTheCopiesColour) {
  keyarray[4].value = "";
  link.LG_LED(4);
  keyarray[4].value = "7x";
  link.LG_LED(4);
  EXPECT_THAT(panel.lightBytes(), ElementsAre(0, 0));
  EXPECT_THAT(view.colours, IsEmpty());
}

TEST_F(GearLights, OtherNumbersSendTheirLowByteAndKeepTheCopiesColour) {
  keyarray[2].value = "300";
  link.LG_LED(2);
  EXPECT_THAT(panel.lightBytes(), ElementsAre(44));
  EXPECT_THAT(view.colours, IsEmpty());
}

TEST_F(GearLights, CopiesAreColouredWithoutPanel) {
  panel.bound = false;
  keyarray[2].value = "56";
  link.LG_LED(2);
  EXPECT_THAT(panel.reports, IsEmpty());
  EXPECT_THAT(view.colours, ElementsAre(0x0000FFU));
}

}  // namespace
}  // namespace qv
