#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "diag/DeviceConsole.h"

namespace qv {
namespace {

class DeviceConsoleTest : public ::testing::Test {
 protected:
  [[nodiscard]] QListWidget* history() const {
    return console.findChild<QListWidget*>("HistoryListBox");
  }

  DeviceConsole console;
};

TEST_F(DeviceConsoleTest, IsAHiddenPanelWithItsControls) {
  EXPECT_EQ(console.objectName(), "Panel7");
  EXPECT_EQ(console.geometry(), QRect(8, 104, 734, 314));
  EXPECT_TRUE(console.isHidden());
  EXPECT_EQ(console.dvrEdit3()->text(), "0");
  EXPECT_TRUE(console.dvrEdit3()->isHidden());
  EXPECT_TRUE(console.findChild<QPushButton*>("ReadBtn")->isCheckable());
  EXPECT_EQ(console.findChild<QPushButton*>("WriteBtn")->text(), "dvrWrite");
}

TEST_F(DeviceConsoleTest, FirstActivationCreates1023EditorsAndPlaces64) {
  const auto before = console.findChildren<QLineEdit*>().size();
  EXPECT_FALSE(console.byteEditorsBuilt());
  console.buildByteEditors();
  EXPECT_EQ(console.findChildren<QLineEdit*>().size() - before, 1023);
  EXPECT_TRUE(console.byteEditorsBuilt());
  EXPECT_EQ(console.byteEditor(0), console.findChild<QLineEdit*>("drEdit1"));

  const QRect model(311, 260, 265, 23);
  for (int i = 0; i < DeviceConsole::kPlacedByteEditors; ++i) {
    const int r = i / 16;
    const int c = i % 16;
    EXPECT_EQ(console.byteEditor(i)->geometry(),
              QRect(311 + c * 267, 260 + r * 25, model.width(), model.height()))
        << i;
  }
  for (int i = 0; i < DeviceConsole::kByteEditorCount; ++i) {
    ASSERT_NE(console.byteEditor(i), nullptr);
    EXPECT_TRUE(console.byteEditor(i)->isHidden()) << i;
  }
  EXPECT_NE(console.byteEditor(64)->geometry().topLeft(), QPoint(311, 260 + 4 * 25));

  console.buildByteEditors();
  EXPECT_EQ(console.findChildren<QLineEdit*>().size() - before, 1023);
}

TEST_F(DeviceConsoleTest, ShowsTheEditorsOfAnOutputReportAndKeepsThemShown) {
  console.showByteEditors(3);  // before the first activation there are none
  console.buildByteEditors();
  console.showByteEditors(3);
  console.showByteEditors(1);
  EXPECT_FALSE(console.byteEditor(0)->isHidden());
  EXPECT_FALSE(console.byteEditor(2)->isHidden());
  EXPECT_TRUE(console.byteEditor(3)->isHidden());

  console.showByteEditors(500);  // only the placed editors can be shown
  EXPECT_FALSE(console.byteEditor(63)->isHidden());
  EXPECT_TRUE(console.byteEditor(64)->isHidden());
}

TEST_F(DeviceConsoleTest, EveryHistoryLineIsAddedAtTheEndAndSelected) {
  console.appendLine("one");
  console.appendLine("two");
  ASSERT_EQ(history()->count(), 2);
  EXPECT_EQ(history()->currentItem()->text(), "two");
  EXPECT_TRUE(history()->currentItem()->isSelected());
  console.clear();
  EXPECT_EQ(history()->count(), 0);
}

TEST_F(DeviceConsoleTest, ReportsTheSelectedDeviceEntry) {
  EXPECT_EQ(console.selectedDeviceEntry(), -1);
  console.addDeviceEntry("Saitek Pro Flight Switch Panel");
  console.addDeviceEntry("Device VID=046D PID=C52B");
  EXPECT_EQ(console.selectedDeviceEntry(), -1);
  console.selectDeviceEntry(1);
  EXPECT_EQ(console.selectedDeviceEntry(), 1);
  console.clearDeviceEntries();
  EXPECT_EQ(console.selectedDeviceEntry(), -1);
}

TEST_F(DeviceConsoleTest, MovingTheReadToggleDoesNotClickIt) {
  auto* readBtn = console.findChild<QPushButton*>("ReadBtn");
  int clicks = 0;
  QObject::connect(readBtn, &QPushButton::clicked, [&clicks] { ++clicks; });
  console.setReadButtonDown(true);
  EXPECT_TRUE(readBtn->isChecked());
  console.setReadButtonDown(false);
  EXPECT_FALSE(readBtn->isChecked());
  EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace qv
