#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

#include "diag/TestPage.h"
#include "engine/SwitchEngine.h"
#include "tests/diag/support/ConsoleRig.h"
#include "tests/support/HeadlessControls.h"
#include "tests/support/RecordingHistory.h"
#include "tests/support/RecordingInjector.h"

namespace qv {
namespace {

constexpr std::array<const char*, 18> kIndicators{
    "sspmag1",     "sspmag2",     "sspmag3",     "sspmag4",     "sspmag5",     "sspbtsw1red",
    "sspbtsw2red", "sspbtsw1blk", "sspbtsw2blk", "sspbtsw3blk", "sspbtsw4blk", "sspbbsw1",
    "sspbbsw2",    "sspbbsw3",    "sspbbsw4",    "sspbbsw5",    "sspbbsw6",    "sspbbsw7"};
constexpr std::array<const char*, 5> kMagnetoMarks{"sspmag1", "sspmag2", "sspmag3", "sspmag4",
                                                   "sspmag5"};

// The three data bytes of a panel report with the given switches on.
std::array<uint8_t, 3> switchesOn(std::initializer_list<int> switches) {
  std::array<uint8_t, 3> data{};
  for (const int k : switches) {
    data.at(static_cast<size_t>((k - 1) / 8)) |= static_cast<uint8_t>(0x80U >> ((k - 1) % 8));
  }
  return data;
}

class TestPageTest : public ::testing::Test {
 protected:
  void report(std::initializer_list<int> switches) {
    const std::array<uint8_t, 3> data = switchesOn(switches);
    engine.ShowRead(kPanelVendorId, kPanelProductId, 0, data.data(), 3);
  }
  [[nodiscard]] bool shown(const char* name) const { return controls.visible(name); }
  [[nodiscard]] std::vector<std::string> shownMagnetoMarks() const {
    std::vector<std::string> marks;
    for (const char* mark : kMagnetoMarks) {
      if (shown(mark)) {
        marks.emplace_back(mark);
      }
    }
    return marks;
  }

  test::HeadlessControls controls{mainWindowForm()};
  TestPage page{controls};
  test::RecordingInjector injector;
  test::RecordingHistory history;
  SwitchEngine engine{injector, history, page};
};

TEST_F(TestPageTest, StartsWithEveryIndicatorShownAndTheGearLeverDown) {
  for (const char* name : kIndicators) {
    ASSERT_TRUE(controls.has(name)) << name;
    EXPECT_TRUE(shown(name)) << name;
    EXPECT_EQ(controls.text(name), "*");
    EXPECT_EQ(controls.at(name).row.parent, "SwitchPanelPanel");
    EXPECT_EQ(controls.at(name).row.width, 12);
    EXPECT_EQ(controls.at(name).row.height, 29);
  }
  EXPECT_FALSE(shown("gearupimage"));
  EXPECT_TRUE(controls.text("Memo1").empty());
  for (const char* group : {"RadioGroup1", "RadioGroup2", "RadioGroup3"}) {
    EXPECT_EQ(controls.selected(group), -1) << group;
  }
  EXPECT_FALSE(shown("DBGrid1"));
  EXPECT_FALSE(shown("LogMemo"));
  // The pictures are drawn at the sizes the indicators are laid out for.
  EXPECT_EQ(controls.at("saitekswitchpanelimage").pictureWidth, 413);
  EXPECT_EQ(controls.at("saitekswitchpanelimage").pictureHeight, 155);
  EXPECT_TRUE(controls.at("saitekswitchpanelimage").painter);
  EXPECT_EQ(controls.at("gearupimage").pictureWidth, 49);
}

TEST_F(TestPageTest, IndicatorsFollowTheSwitchesWhileThePageIsActive) {
  engine.testSaitekPanel = true;
  report({8, 12});  // resting state: battery and landing light on
  EXPECT_TRUE(shown("sspbtsw1red"));
  EXPECT_TRUE(shown("sspbbsw7"));
  EXPECT_FALSE(shown("sspbbsw1"));

  report({2, 12, 22});
  EXPECT_FALSE(shown("sspbtsw1red"));
  EXPECT_TRUE(shown("sspbbsw1"));
  EXPECT_TRUE(shown("sspbbsw7"));
  EXPECT_FALSE(shown("gearupimage"));  // switch 22 on: the lever is down

  report({2, 12});
  EXPECT_TRUE(shown("gearupimage"));
}

TEST_F(TestPageTest, IndicatorsStayAsTheyWereWhileThePageIsNotActive) {
  report({});  // first report hides the magneto marks whatever page is active
  EXPECT_TRUE(shownMagnetoMarks().empty());
  report({3, 9});
  EXPECT_TRUE(shown("sspbtsw4blk"));  // still the start state
  EXPECT_TRUE(shownMagnetoMarks().empty());

  engine.testSaitekPanel = true;
  report({9});  // switch 3 turned off: only that change is shown
  EXPECT_FALSE(shown("sspbtsw4blk"));
  EXPECT_TRUE(shown("sspbtsw3blk"));
  EXPECT_TRUE(shownMagnetoMarks().empty());
}

TEST_F(TestPageTest, MagnetoMarksShowOnlyTheLastOnPosition) {
  engine.testSaitekPanel = true;
  report({11});
  EXPECT_EQ(shownMagnetoMarks(), std::vector<std::string>{"sspmag1"});
  report({10});
  EXPECT_EQ(shownMagnetoMarks(), std::vector<std::string>{"sspmag2"});
  report({10, 24});
  EXPECT_EQ(shownMagnetoMarks(), std::vector<std::string>{"sspmag4"});
  report({23});
  EXPECT_EQ(shownMagnetoMarks(), std::vector<std::string>{"sspmag5"});
}

TEST(TestPageOnThePanel, ThePanelsReportsMoveTheIndicators) {
  test::ConsoleRig rig;
  const auto panel = rig.platform.plugIn();
  rig.activateAndScan();
  rig.engine.testSaitekPanel = true;
  const auto reported = [&rig, &panel](std::vector<uint8_t> report) {
    const size_t before = rig.history().size();
    panel->sendInput(std::move(report));
    return test::pumpUntil(rig.toolkit.loop,
                           [&rig, before] { return rig.history().size() >= before + 2; });
  };
  ASSERT_TRUE(reported({0, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(reported({0, 0x01, 0x00, 0x01}));  // switches 8 and 24 on
  EXPECT_TRUE(rig.controls.visible("sspbtsw1red"));
  EXPECT_TRUE(rig.controls.visible("sspmag4"));
  EXPECT_FALSE(rig.controls.visible("sspmag1"));
}

TEST_F(TestPageTest, ClickingThePictureTogglesTheRaisedLever) {
  page.saitekswitchpanelimageClick();
  EXPECT_TRUE(shown("gearupimage"));
  page.saitekswitchpanelimageClick();
  EXPECT_FALSE(shown("gearupimage"));
}

TEST_F(TestPageTest, GearLightCopiesTakeTheWindowsColourValue) {
  page.setGearLightCopies(0x0000FF);  // red in 0x00BBGGRR
  for (const char* name : {"LLN", "LLR", "LLL"}) {
    EXPECT_EQ(controls.at(name).colour, (Rgb{255, 0, 0})) << name;
  }
  page.setGearLightCopies(0x008000);
  EXPECT_EQ(controls.at("LLL").colour, (Rgb{0, 128, 0}));
}

TEST_F(TestPageTest, DBGrid1FollowsTheLiveQueue) {
  EXPECT_EQ(controls.at("DBGrid1").items, (std::vector<std::string>{"FnId", "pulses", "actionid"}));
  page.setActionQueue(&engine.vtActionList);
  engine.vtActionList.AddAction(12, 2, "U");
  engine.vtActionList.AddAction(4, 1, "G");
  EXPECT_EQ(controls.at("DBGrid1").gridRows,
            (std::vector<std::vector<std::string>>{{"12", "2", "U"}, {"4", "1", "G"}}));
  engine.vtActionList.pass([](int32_t, std::string_view) {});  // row 4 falls due and leaves
  EXPECT_EQ(controls.at("DBGrid1").gridRows,
            (std::vector<std::vector<std::string>>{{"12", "1", "U"}}));
}

TEST(TestPageQueue, TheQueueOutlivesThePage) {
  test::HeadlessControls controls{mainWindowForm()};
  ActionQueue queue;
  {
    TestPage page{controls};
    page.setActionQueue(&queue);
  }
  queue.AddAction(3, 1, "P");  // must not reach the destroyed page
  EXPECT_EQ(queue.rows().size(), 1U);
  EXPECT_TRUE(controls.at("DBGrid1").gridRows.empty());
}

}  // namespace
}  // namespace qv
