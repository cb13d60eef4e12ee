#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "diag/DeviceConsole.h"
#include "tests/diag/support/FakeDevice.h"

namespace qv {
namespace {

class DeviceConsoleTest : public ::testing::Test {
 protected:
  [[nodiscard]] QListWidget* history() const {
    return console.findChild<QListWidget*>("HistoryListBox");
  }

  DeviceConsole console;
};

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

class ConsoleWriteTest : public DeviceConsoleTest {
 protected:
  ConsoleWriteTest() { console.buildByteEditors(); }
  [[nodiscard]] QLineEdit* reportId() const { return console.findChild<QLineEdit*>("ReportID"); }
  [[nodiscard]] QString lastHistoryLine() const {
    return history()->count() == 0 ? QString() : history()->item(history()->count() - 1)->text();
  }
  test::FakeDevice dev;
};

TEST_F(ConsoleWriteTest, WritesTheEditedReportAndShowsItsBytes) {
  dev.lengths.OutputReportByteLength = 3;
  reportId()->setText("a");
  console.byteEditor(0)->setText("1ff");
  console.byteEditor(1)->setText("");
  console.byteEditor(2)->setText("77");  // beyond the report: untouched
  console.writeReport(&dev);

  ASSERT_EQ(dev.writes.size(), 1U);
  EXPECT_EQ(dev.writes[0], (std::vector<uint8_t>{0x0A, 0xFF, 0x00}));
  EXPECT_EQ(lastHistoryLine(), "W 0A  FF 00 ");
  EXPECT_EQ(reportId()->text(), "0A");
  EXPECT_EQ(console.byteEditor(0)->text(), "FF");
  EXPECT_EQ(console.byteEditor(1)->text(), "00");
  EXPECT_EQ(console.byteEditor(2)->text(), "77");
}

TEST_F(ConsoleWriteTest, AFailedWriteLogsOnlyTheReportId) {
  dev.lengths.OutputReportByteLength = 3;
  dev.writeFails = true;
  reportId()->setText("zz");
  console.writeReport(&dev);
  EXPECT_EQ(lastHistoryLine(), "W 00  ");
  EXPECT_EQ(reportId()->text(), "00");
}

TEST_F(ConsoleWriteTest, WithoutADeviceNothingHappens) {
  reportId()->setText("a");
  console.writeReport(static_cast<test::FakeDevice*>(nullptr));
  EXPECT_EQ(history()->count(), 0);
  EXPECT_EQ(reportId()->text(), "a");
}

TEST_F(ConsoleWriteTest, AReportLongerThanTheBufferWritesItsFirst65Bytes) {
  dev.lengths.OutputReportByteLength = 300;
  console.byteEditor(63)->setText("5");
  console.writeReport(&dev);
  ASSERT_EQ(dev.writes.size(), 1U);
  ASSERT_EQ(dev.writes[0].size(), 65U);
  EXPECT_EQ(dev.writes[0][64], 5);
  EXPECT_EQ(console.byteEditor(63)->text(), "05");
  EXPECT_TRUE(console.byteEditor(64)->text().isEmpty());
}

}  // namespace
}  // namespace qv
