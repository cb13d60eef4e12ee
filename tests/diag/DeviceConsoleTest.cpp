#include <gtest/gtest.h>

#include "tests/diag/support/QtPrinters.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "diag/DeviceConsole.h"
#include "tests/diag/support/ConsoleRig.h"

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

class ConsoleWriteTest : public ::testing::Test {
 protected:
  // A device with an output report of `outputLength` bytes, selected.
  std::shared_ptr<test::ScriptedDevice> selectDevice(uint16_t outputLength) {
    test::ScriptedDeviceSpec traits;
    traits.lengths = {4, outputLength, 3};
    auto device = rig.platform.plugIn(traits);
    rig.activateAndScan();
    return device;
  }
  [[nodiscard]] QLineEdit* reportId() const {
    return rig.console.findChild<QLineEdit*>("ReportID");
  }
  [[nodiscard]] QLineEdit* editor(int index) const { return rig.console.byteEditor(index); }
  [[nodiscard]] QStringList historyLines() const {
    QStringList lines;
    const auto* list = rig.console.findChild<QListWidget*>("HistoryListBox");
    for (int i = 0; i < list->count(); ++i) {
      lines << list->item(i)->text();
    }
    return lines;
  }
  void clickWrite() { rig.console.findChild<QPushButton*>("WriteBtn")->click(); }

  test::ConsoleRig rig;
};

TEST_F(ConsoleWriteTest, WritesTheEditedReportAndShowsItsBytes) {
  const auto device = selectDevice(3);
  EXPECT_FALSE(editor(1)->isHidden());  // the selection shows the report's editors
  EXPECT_TRUE(editor(2)->isHidden());
  const QStringList before = historyLines();
  reportId()->setText("a");
  editor(0)->setText("1ff");
  editor(1)->setText("");
  editor(2)->setText("77");  // beyond the report: untouched
  clickWrite();

  ASSERT_EQ(device->writes().size(), 1U);
  EXPECT_EQ(device->writes()[0], (std::vector<uint8_t>{0x0A, 0xFF, 0x00}));
  EXPECT_EQ(historyLines(), before + QStringList{"W 0A  FF 00 "});
  EXPECT_EQ(reportId()->text(), "0A");
  EXPECT_EQ(editor(0)->text(), "FF");
  EXPECT_EQ(editor(1)->text(), "00");
  EXPECT_EQ(editor(2)->text(), "77");
}

TEST_F(ConsoleWriteTest, AFailedWriteLogsOnlyTheReportId) {
  const auto device = selectDevice(3);
  device->unplug();  // gone, and no rescan has noticed yet
  reportId()->setText("zz");
  clickWrite();
  EXPECT_TRUE(device->writes().empty());
  EXPECT_EQ(historyLines().last(), "W 00  ");
  EXPECT_EQ(reportId()->text(), "00");
}

TEST_F(ConsoleWriteTest, WithoutACurrentDeviceNothingHappens) {
  rig.activateAndScan();  // no device present
  reportId()->setText("a");
  clickWrite();
  EXPECT_TRUE(historyLines().isEmpty());
  EXPECT_EQ(reportId()->text(), "a");
}

TEST_F(ConsoleWriteTest, AReportLongerThanTheBufferWritesItsFirst65Bytes) {
  const auto device = selectDevice(300);
  editor(63)->setText("5");
  clickWrite();
  ASSERT_EQ(device->writes().size(), 1U);
  ASSERT_EQ(device->writes()[0].size(), 65U);
  EXPECT_EQ(device->writes()[0][64], 5);
  EXPECT_EQ(editor(63)->text(), "05");
  EXPECT_TRUE(editor(64)->text().isEmpty());
  EXPECT_TRUE(editor(64)->isHidden());
}

TEST_F(ConsoleWriteTest, AReadErrorIsLoggedWithTheSystemsText) {
  rig.platform.errorTexts = {{5, "Access is denied."}};
  const auto device = selectDevice(0);
  device->failReads(5);
  ASSERT_TRUE(test::pumpUntil(rig.loop, [this] {
    return !historyLines().isEmpty() && historyLines().last().startsWith("READ");
  }));
  EXPECT_EQ(historyLines().last(), "READ ERROR: Access is denied.");
}

}  // namespace
}  // namespace qv
