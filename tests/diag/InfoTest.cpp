#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>

#include "diag/DeviceInfoTexts.h"
#include "diag/Info.h"
#include "tests/diag/support/FakeDevice.h"

namespace qv {
namespace {

QString labelText(const QDialog& form, const char* name) {
  return form.findChild<QLabel*>(name)->text();
}

QStringList items(const QDialog& form, const char* name) {
  QStringList texts;
  const auto* list = form.findChild<QListWidget*>(name);
  for (int i = 0; i < list->count(); ++i) {
    texts << list->item(i)->text();
  }
  return texts;
}

test::FakeDevice switchPanel() {
  test::FakeDevice dev;
  dev.ids = {1699, 3431, 0x0100};
  dev.lengths = {4, 0, 17};
  dev.vendor = "Saitek";
  dev.product = "Saitek Pro Flight Switch Panel";
  dev.serial = "A1";
  dev.languages = {"English (United States)"};
  dev.strings = {{1, "Saitek"}, {7, "Panel"}, {255, "Last"}};
  return dev;
}

TEST(InfoTest, ShowsIdsLengthsAndStringsInTheirFormats) {
  test::FakeDevice dev = switchPanel();
  Thidform form;
  form.showTexts(collectDeviceInfo(dev));

  EXPECT_EQ(labelText(form, "Vid"), "06A3 = 1699");
  EXPECT_EQ(labelText(form, "Pid"), "0D67 = 3431");
  EXPECT_EQ(labelText(form, "Vers"), "0100 = 256");
  EXPECT_EQ(labelText(form, "InputLen"), "3");
  EXPECT_EQ(labelText(form, "OutputLen"), "0");  // length 0 keeps the design text
  EXPECT_EQ(labelText(form, "FeatureLen"), "10");
  EXPECT_EQ(labelText(form, "VendorName"), "Saitek");
  EXPECT_EQ(labelText(form, "ProductName"), "Saitek Pro Flight Switch Panel");
  EXPECT_EQ(labelText(form, "SerialNo"), "A1");
  EXPECT_EQ(items(form, "DevStrings"), (QStringList{"  1) Saitek", "  7) Panel", "255) Last"}));
  EXPECT_EQ(items(form, "LangStrings"), QStringList{"English (United States)"});
}

TEST(InfoTest, ADeviceWithoutStringsShowsEmptyLists) {
  test::FakeDevice dev;
  dev.ids = {0x046D, 0xC52B, 0x1201};
  dev.lengths = {1, 2, 0};
  Thidform form;
  form.showTexts(collectDeviceInfo(dev));
  EXPECT_EQ(labelText(form, "Vid"), "046D = 1133");
  EXPECT_EQ(labelText(form, "InputLen"), "0");
  EXPECT_EQ(labelText(form, "OutputLen"), "1");
  EXPECT_TRUE(labelText(form, "SerialNo").isEmpty());
  EXPECT_TRUE(items(form, "DevStrings").isEmpty());
  EXPECT_TRUE(items(form, "LangStrings").isEmpty());
}

}  // namespace
}  // namespace qv
