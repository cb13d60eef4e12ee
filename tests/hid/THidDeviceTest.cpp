#include "hid/THidDevice.h"

#include <gtest/gtest.h>

#include <memory>

#include "hid/HidStrings.h"
#include "tests/support/HidTestSupport.h"

namespace qv {
namespace {

using test::ScriptedDeviceSpec;

using DeviceTest = test::ScriptedControllerTest;

TEST_F(DeviceTest, IdentityIsReadAtCreation) {
  ScriptedDeviceSpec traits;
  traits.ids = {0x1234, 0xABCD, 0x0201};
  const THidDevice& record = checkedOut(traits);
  EXPECT_EQ(record.Attributes().Size, 12U);
  EXPECT_EQ(record.Attributes().VendorID, 0x1234);
  EXPECT_EQ(record.Attributes().ProductID, 0xABCD);
  EXPECT_EQ(record.Attributes().VersionNumber, 0x0201);
  EXPECT_TRUE(record.HasReadWriteAccess());
  EXPECT_EQ(record.PnPInfo().DevicePath, device->path);
}

TEST_F(DeviceTest, NamesAreUtf8AndFetchingThemClosesTheHandle) {
  ScriptedDeviceSpec traits;
  traits.product = u"Panel \u00E9 \u2708 \U0001F6E9";
  traits.manufacturer = u"Saitek";
  THidDevice& record = checkedOut(traits);
  EXPECT_EQ(record.ProductName(), "Panel \xC3\xA9 \xE2\x9C\x88 \xF0\x9F\x9B\xA9");
  EXPECT_EQ(record.VendorName(), "Saitek");
  EXPECT_EQ(device->openHandles(), 0);
}

TEST_F(DeviceTest, AnAvailableRecordIsNotAccessible) {
  device = platform.plugIn();
  loop.runPending();
  THidDevice& available = *controller.Device(0);
  EXPECT_EQ(available.ProductName(), "");
  EXPECT_EQ(available.Caps().InputReportByteLength, 0);
  EXPECT_FALSE(available.SetFeature(std::vector<uint8_t>{0, 1, 0}.data(), 3));
  EXPECT_EQ(device->openHandles(), 0);
}

TEST_F(DeviceTest, CapsComeFromTheDeviceOnceAccessible) {
  ScriptedDeviceSpec traits;
  traits.lengths = {4, 9, 3};
  THidDevice& record = checkedOut(traits);
  const HIDP_CAPS caps = record.Caps();
  EXPECT_EQ(caps.InputReportByteLength, 4);
  EXPECT_EQ(caps.OutputReportByteLength, 9);
  EXPECT_EQ(caps.FeatureReportByteLength, 3);
}

TEST_F(DeviceTest, DeviceStringsByIndex) {
  ScriptedDeviceSpec traits;
  traits.indexedStrings = {{2, u"Pro Flight"}};
  THidDevice& record = checkedOut(traits);
  EXPECT_EQ(record.GetDeviceString(0), "");
  EXPECT_EQ(record.GetDeviceString(2), "Pro Flight");
  EXPECT_EQ(record.GetDeviceString(3), "");
}

TEST_F(DeviceTest, SerialNumberNeedsALanguageTableItDiffersFrom) {
  ScriptedDeviceSpec traits;
  traits.serial = u"A1B2";
  EXPECT_EQ(checkedOut(traits).SerialNumber(), "A1B2");

  traits.languageIds.reset();
  THidDevice& noTable = checkedOut(traits);
  EXPECT_EQ(noTable.SerialNumber(), "");
  EXPECT_TRUE(noTable.LanguageStrings().empty());

  // A device that answers the serial request with its language table.
  traits.languageIds = std::vector<uint16_t>{0x0409};
  traits.serial = u"\u0409";
  EXPECT_EQ(checkedOut(traits).SerialNumber(), "");
}

TEST_F(DeviceTest, LanguageStringsNameEveryIdOfTheTable) {
  platform.languageNames = {{0x0409, "English (United States)"}};
  ScriptedDeviceSpec traits;
  traits.languageIds = std::vector<uint16_t>{0x0409, 0x0C0A};
  EXPECT_EQ(checkedOut(traits).LanguageStrings(),
            (std::vector<std::string>{"English (United States)", "Unknown Locale ID $0C0A"}));
}

TEST(LanguageIdTable, TheLastUnitThatWasWrittenDecidesTheCount) {
  HidStringBuffer table;
  table.fill(0xFFFF);
  EXPECT_TRUE(languageIdsOf(table).empty());
  table[0] = 0x0409;
  table[1] = 0;  // a terminating NUL is no id
  EXPECT_EQ(languageIdsOf(table), std::vector<uint16_t>{0x0409});
  table[1] = 0x0407;
  EXPECT_EQ(languageIdsOf(table), (std::vector<uint16_t>{0x0409, 0x0407}));
  table.fill(0x0409);
  EXPECT_EQ(languageIdsOf(table).size(), table.size());
}

TEST(DeviceText, UnpairedSurrogatesBecomeReplacementCharacters) {
  HidStringBuffer text{};
  text[0] = u'A';
  text[1] = 0xD800;
  text[2] = u'B';
  EXPECT_EQ(textOf(text),
            "A\xEF\xBF\xBD"
            "B");
  HidStringBuffer full;
  full.fill(u'x');
  EXPECT_EQ(textOf(full).size(), full.size());
}

TEST_F(DeviceTest, ReportsGoToTheDeviceAndLeaveTheHandleOpen) {
  ScriptedDeviceSpec traits;
  traits.currentInputReport = {0, 0x80, 0x04, 0x01};
  THidDevice& record = checkedOut(traits);
  const std::vector<uint8_t> lights{0, 0x09, 0};
  EXPECT_TRUE(record.SetFeature(lights.data(), 3));
  EXPECT_EQ(device->features(), std::vector<std::vector<uint8_t>>{lights});
  EXPECT_EQ(device->openHandles(), 1);

  std::vector<uint8_t> input(4, 0);
  EXPECT_TRUE(record.GetInputReport(input.data(), 4));
  EXPECT_EQ(input, traits.currentInputReport);

  uint32_t written = 0;
  const std::vector<uint8_t> output{0, 1, 2};
  EXPECT_TRUE(record.WriteFile(output.data(), 3, written));
  EXPECT_EQ(written, 3U);
  EXPECT_EQ(device->writes(), std::vector<std::vector<uint8_t>>{output});
}

TEST_F(DeviceTest, AMissingInputReportRequestFails) {
  ScriptedDeviceSpec traits;
  traits.inputReportRequest = false;
  std::vector<uint8_t> input(4, 0);
  EXPECT_FALSE(checkedOut(traits).GetInputReport(input.data(), 4));
}

}  // namespace
}  // namespace qv
