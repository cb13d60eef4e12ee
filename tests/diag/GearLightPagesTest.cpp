#include <gtest/gtest.h>

#include "engine/SwitchEngine.h"
#include "sim/SimulatorLink.h"
#include "tests/diag/support/RecordingPanel.h"
#include "tests/ui/support/HeadlessWindow.h"

namespace qv {
namespace {

TEST(GearLightPagesTest, TheLinksLightsReachTheTestAndDebugPages) {
  test::HeadlessWindow window;
  SimulatorLink& link = window.form->simulator();
  window.form->engine().keyarray[2].value = "56";

  link.LG_LED(2);  // all red, but no panel is bound: only the copies change
  for (const char* name : {"LLN", "LLR", "LLL"}) {
    EXPECT_EQ(window.controls.at(name).colour, (Rgb{255, 0, 0})) << name;
  }

  link.SimCon.LG_Lights = kNoLightsYet;
  link.SimCon.PlaneData[20].Value = 0;
  link.SimCon.PlaneData[21].Value = 100;
  link.SimCon.PlaneData[22].Value = 100;
  link.gearLightRefresh();
  EXPECT_EQ(window.controls.text("Edit168"), "6");
  link.SimCon.PlaneData[20].Value = 50;
  link.gearLightRefresh();
  EXPECT_EQ(window.controls.text("Edit168"), "14");
  // Nothing else on the debug page is ever written.
  EXPECT_EQ(window.controls.text("Edit167"), "0");
  EXPECT_EQ(window.controls.text("Edit169"), "LVAL");
}

}  // namespace
}  // namespace qv
