#include <gtest/gtest.h>

#include <QFrame>
#include <QLineEdit>

#include "diag/DebugPage.h"
#include "diag/TestPage.h"
#include "sim/SimulatorLink.h"
#include "sim/SimulatorView.h"
#include "tests/diag/support/RecordingPanel.h"

namespace qv {
namespace {

// The window's side of the simulator link: the light copies and Edit168.
class PagesView final : public SimulatorView {
 public:
  PagesView(TestPage& test, DebugPage& debug) : test_(test), debug_(debug) {}
  void setSimConStatus(const std::string&) override {}
  void setGearLightCopies(uint32_t windowsColour) override {
    test_.setGearLightCopies(windowsColour);
  }
  void setLightByteText(const std::string& text) override { debug_.setLightByteText(text); }

 private:
  TestPage& test_;
  DebugPage& debug_;
};

TEST(GearLightPagesTest, TheLinksLightsReachTheTestAndDebugPages) {
  TestPage testPage;
  DebugPage debugPage;
  PagesView view(testPage, debugPage);
  test::RecordingPanel panel;
  KeyArray keyarray{};
  keyarray[2].value = "56";
  SimulatorLink link(keyarray, panel, view);

  link.LG_LED(2);  // all red
  for (const char* name : {"LLN", "LLR", "LLL"}) {
    EXPECT_EQ(testPage.findChild<QFrame*>(name)->palette().color(QPalette::Window),
              QColor(255, 0, 0))
        << name;
  }

  link.SimCon.LG_Lights = kNoLightsYet;
  link.SimCon.PlaneData[20].Value = 0;
  link.SimCon.PlaneData[21].Value = 100;
  link.SimCon.PlaneData[22].Value = 100;
  link.gearLightRefresh();
  EXPECT_EQ(debugPage.findChild<QLineEdit*>("Edit168")->text(), "6");
  link.SimCon.PlaneData[20].Value = 50;
  link.gearLightRefresh();
  EXPECT_EQ(debugPage.findChild<QLineEdit*>("Edit168")->text(), "14");
}

}  // namespace
}  // namespace qv
