#include <gtest/gtest.h>

#include "diag/DeviceConsole.h"
#include "tests/diag/support/ConsoleRig.h"

namespace qv {
namespace {

class DeviceConsoleTest : public ::testing::Test {
 protected:
  test::ConsoleRig rig;
  test::HeadlessControls& controls = rig.controls;
  DeviceConsole& console = rig.console;
};

TEST_F(DeviceConsoleTest, FirstActivationCreates1023EditorsAndPlaces64) {
  const size_t before = controls.count();
  EXPECT_FALSE(console.byteEditorsBuilt());
  EXPECT_EQ(console.byteEditor(0), "");
  console.buildByteEditors();
  EXPECT_EQ(controls.count() - before, 1023U);
  EXPECT_TRUE(console.byteEditorsBuilt());
  EXPECT_EQ(console.byteEditor(0), "drEdit1");

  for (int i = 0; i < DeviceConsole::kPlacedByteEditors; ++i) {
    const Control& row = controls.at(console.byteEditor(i)).row;
    EXPECT_EQ(row.parent, "Panel7") << i;
    EXPECT_EQ(row.x, 311 + (i % 16) * 267) << i;
    EXPECT_EQ(row.y, 260 + (i / 16) * 25) << i;
    EXPECT_EQ(row.width, 265) << i;
    EXPECT_EQ(row.height, 23) << i;
  }
  for (int i = 0; i < DeviceConsole::kByteEditorCount; ++i) {
    ASSERT_TRUE(controls.has(console.byteEditor(i))) << i;
    EXPECT_FALSE(controls.visible(console.byteEditor(i))) << i;
  }
  EXPECT_EQ(controls.at(console.byteEditor(64)).row.y, 0);

  console.buildByteEditors();
  EXPECT_EQ(controls.count() - before, 1023U);
}

TEST_F(DeviceConsoleTest, ShowsTheEditorsOfAnOutputReportAndKeepsThemShown) {
  console.showByteEditors(3);  // before the first activation there are none
  console.buildByteEditors();
  console.showByteEditors(3);
  console.showByteEditors(1);
  EXPECT_TRUE(controls.visible(console.byteEditor(0)));
  EXPECT_TRUE(controls.visible(console.byteEditor(2)));
  EXPECT_FALSE(controls.visible(console.byteEditor(3)));

  console.showByteEditors(500);  // only the placed editors can be shown
  EXPECT_TRUE(controls.visible(console.byteEditor(63)));
  EXPECT_FALSE(controls.visible(console.byteEditor(64)));
}

TEST_F(DeviceConsoleTest, EveryHistoryLineIsAddedAtTheEndAndSelected) {
  console.appendLine("one");
  console.appendLine("two");
  EXPECT_EQ(rig.history(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(controls.selected("HistoryListBox"), 1);
  console.clear();
  EXPECT_TRUE(rig.history().empty());
  console.appendLine("three");
  EXPECT_EQ(controls.selected("HistoryListBox"), 0);
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
  [[nodiscard]] std::string editor(int index) const { return rig.console.byteEditor(index); }
  void set(const std::string& name, const std::string& text) { rig.controls.setText(name, text); }
  [[nodiscard]] std::string text(const std::string& name) const { return rig.controls.text(name); }

  test::ConsoleRig rig;
};

TEST_F(ConsoleWriteTest, WritesTheEditedReportAndShowsItsBytes) {
  const auto device = selectDevice(3);
  EXPECT_TRUE(rig.controls.visible(editor(1)));  // the selection shows the report's editors
  EXPECT_FALSE(rig.controls.visible(editor(2)));
  std::vector<std::string> expected = rig.history();
  set("ReportID", "a");
  set(editor(0), "1ff");
  set(editor(1), "");
  set(editor(2), "77");  // beyond the report: untouched
  rig.console.WriteBtnClick();

  ASSERT_EQ(device->writes().size(), 1U);
  EXPECT_EQ(device->writes()[0], (std::vector<uint8_t>{0x0A, 0xFF, 0x00}));
  expected.emplace_back("W 0A  FF 00 ");
  EXPECT_EQ(rig.history(), expected);
  EXPECT_EQ(text("ReportID"), "0A");
  EXPECT_EQ(text(editor(0)), "FF");
  EXPECT_EQ(text(editor(1)), "00");
  EXPECT_EQ(text(editor(2)), "77");
}

TEST_F(ConsoleWriteTest, AFailedWriteLogsOnlyTheReportId) {
  const auto device = selectDevice(3);
  device->unplug();  // gone, and no rescan has noticed yet
  set("ReportID", "zz");
  rig.console.WriteBtnClick();
  EXPECT_TRUE(device->writes().empty());
  EXPECT_EQ(rig.history().back(), "W 00  ");
  EXPECT_EQ(text("ReportID"), "00");
}

TEST_F(ConsoleWriteTest, WithoutACurrentDeviceNothingHappens) {
  rig.activateAndScan();  // no device present
  set("ReportID", "a");
  rig.console.WriteBtnClick();
  EXPECT_TRUE(rig.history().empty());
  EXPECT_EQ(text("ReportID"), "a");
}

TEST_F(ConsoleWriteTest, AReportLongerThanTheBufferWritesItsFirst65Bytes) {
  const auto device = selectDevice(300);
  set(editor(63), "5");
  rig.console.WriteBtnClick();
  ASSERT_EQ(device->writes().size(), 1U);
  ASSERT_EQ(device->writes()[0].size(), 65U);
  EXPECT_EQ(device->writes()[0][64], 5);
  EXPECT_EQ(text(editor(63)), "05");
  EXPECT_TRUE(text(editor(64)).empty());
  EXPECT_FALSE(rig.controls.visible(editor(64)));
}

TEST_F(ConsoleWriteTest, AReadErrorIsLoggedWithTheSystemsText) {
  rig.platform.errorTexts = {{5, "Access is denied."}};
  const auto device = selectDevice(0);
  device->failReads(5);
  ASSERT_TRUE(test::pumpUntil(rig.toolkit.loop, [this] {
    return !rig.history().empty() && rig.history().back().starts_with("READ");
  }));
  EXPECT_EQ(rig.history().back(), "READ ERROR: Access is denied.");
}

}  // namespace
}  // namespace qv
