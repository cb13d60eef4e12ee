#include <gtest/gtest.h>

#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <initializer_list>

#include "diag/TestPage.h"
#include "engine/SwitchEngine.h"
#include "tests/diag/support/ConsoleRig.h"
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
  [[nodiscard]] bool shown(const char* name) const {
    return !page.findChild<QWidget*>(name)->isHidden();
  }
  [[nodiscard]] std::vector<std::string> shownMagnetoMarks() const {
    std::vector<std::string> marks;
    for (const char* mark : kMagnetoMarks) {
      if (shown(mark)) {
        marks.emplace_back(mark);
      }
    }
    return marks;
  }

  TestPage page;
  test::RecordingInjector injector;
  test::RecordingHistory history;
  SwitchEngine engine{injector, history, page};
};

TEST_F(TestPageTest, StartsWithEveryIndicatorShownAndTheGearLeverDown) {
  for (const char* name : kIndicators) {
    auto* mark = page.findChild<QLabel*>(name);
    ASSERT_NE(mark, nullptr) << name;
    EXPECT_FALSE(mark->isHidden()) << name;
    EXPECT_EQ(mark->text(), "*");
    EXPECT_EQ(mark->size(), QSize(12, 29));
  }
  EXPECT_FALSE(shown("gearupimage"));
  EXPECT_TRUE(page.findChild<QPlainTextEdit*>("Memo1")->toPlainText().isEmpty());
  for (QRadioButton* item : page.findChildren<QRadioButton*>()) {
    EXPECT_FALSE(item->isChecked()) << item->text().toStdString();
  }
  EXPECT_TRUE(page.findChild<QWidget*>("DBGrid1")->isHidden());
  EXPECT_TRUE(page.findChild<QWidget*>("LogMemo")->isHidden());
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
    const int before = rig.console.findChild<QListWidget*>("HistoryListBox")->count();
    panel->sendInput(std::move(report));
    return test::pumpUntil(rig.loop, [&rig, before] {
      return rig.console.findChild<QListWidget*>("HistoryListBox")->count() >= before + 2;
    });
  };
  ASSERT_TRUE(reported({0, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(reported({0, 0x01, 0x00, 0x01}));  // switches 8 and 24 on
  EXPECT_FALSE(rig.page.findChild<QWidget*>("sspbtsw1red")->isHidden());
  EXPECT_FALSE(rig.page.findChild<QWidget*>("sspmag4")->isHidden());
  EXPECT_TRUE(rig.page.findChild<QWidget*>("sspmag1")->isHidden());
}

TEST_F(TestPageTest, ClickingThePictureTogglesTheRaisedLever) {
  auto* picture = page.findChild<QWidget*>("saitekswitchpanelimage");
  QTest::mouseClick(picture, Qt::LeftButton);
  EXPECT_TRUE(shown("gearupimage"));
  QTest::mouseClick(picture, Qt::LeftButton);
  EXPECT_FALSE(shown("gearupimage"));
  QTest::mouseClick(picture, Qt::RightButton);
  EXPECT_FALSE(shown("gearupimage"));
}

TEST_F(TestPageTest, GearLightCopiesTakeTheWindowsColourValue) {
  page.setGearLightCopies(0x0000FF);  // red in 0x00BBGGRR
  for (const char* name : {"LLN", "LLR", "LLL"}) {
    EXPECT_EQ(page.findChild<QFrame*>(name)->palette().color(QPalette::Window), QColor(255, 0, 0))
        << name;
  }
  page.setGearLightCopies(0x008000);
  EXPECT_EQ(page.findChild<QFrame*>("LLL")->palette().color(QPalette::Window), QColor(0, 128, 0));
}

// Counts the yellow pixels of an indicator's "*" in a rendering of the page.
int yellowPixelsAt(const QImage& image, const QWidget& page, const char* name) {
  const auto* mark = page.findChild<QWidget*>(name);
  const QRect area(mark->mapTo(&page, QPoint(0, 0)), mark->size());
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      count += (c.red() > 200 && c.green() > 200 && c.blue() < 80) ? 1 : 0;
    }
  }
  return count;
}

TEST_F(TestPageTest, RendersTheMarksOfTheSwitchesThatAreOn) {
  engine.testSaitekPanel = true;
  report({8, 6, 2, 13, 24});
  page.resize(770, 370);
  page.setGearLightCopies(0x008000);
  const QImage image = page.grab().toImage();
  EXPECT_GT(yellowPixelsAt(image, page, "sspbtsw1red"), 10);
  EXPECT_GT(yellowPixelsAt(image, page, "sspmag4"), 10);
  EXPECT_EQ(yellowPixelsAt(image, page, "sspbtsw2red"), 0);
  EXPECT_EQ(yellowPixelsAt(image, page, "sspmag1"), 0);
  if (const QString dir = qEnvironmentVariable("QV_SCREENSHOT_DIR"); !dir.isEmpty()) {
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(dir + "/test-page.png"));
  }
}

}  // namespace
}  // namespace qv
