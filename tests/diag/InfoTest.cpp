#include <gtest/gtest.h>

#include "tests/diag/support/QtPrinters.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <map>

#include "diag/Info.h"
#include "tests/diag/support/ConsoleRig.h"

namespace qv {
namespace {

// The texts of the information dialog, read while it is shown.
struct ShownInfo {
  bool shown = false;
  QString title;
  std::map<QString, QString> labels;
  std::map<QString, QStringList> lists;
};

class InfoTest : public ::testing::Test {
 protected:
  InfoTest() { rig.platform.languageNames = {{0x0409, "English (United States)"}}; }

  // Clicks InfoBtn and reads the modal dialog before closing it.
  ShownInfo clickInfo() {
    ShownInfo info;
    // Owned here, so it cannot fire after this call when no dialog came up.
    QTimer reader;
    reader.setSingleShot(true);
    QObject::connect(&reader, &QTimer::timeout, [&info] {
      auto* form = qobject_cast<Thidform*>(QApplication::activeModalWidget());
      if (form == nullptr) {
        return;
      }
      info.shown = true;
      info.title = form->windowTitle();
      for (const QLabel* label : form->findChildren<QLabel*>()) {
        if (!label->objectName().isEmpty()) {
          info.labels[label->objectName()] = label->text();
        }
      }
      for (const QListWidget* list : form->findChildren<QListWidget*>()) {
        QStringList& items = info.lists[list->objectName()];
        for (int i = 0; i < list->count(); ++i) {
          items << list->item(i)->text();
        }
      }
      form->reject();
    });
    reader.start(0);
    rig.console.findChild<QPushButton*>("InfoBtn")->click();
    return info;
  }

  test::ConsoleRig rig;
};

TEST_F(InfoTest, ShowsTheSelectedDevicesIdsLengthsAndStrings) {
  test::ScriptedDeviceSpec traits;  // the switch panel: 06A3 / 0D67, version 0x0100
  traits.lengths = {4, 0, 17};
  traits.serial = u"A1";
  traits.indexedStrings = {{1, u"Saitek"}, {7, u"Panel"}, {255, u"Last"}};
  rig.platform.plugIn(traits);
  rig.activateAndScan();

  const ShownInfo info = clickInfo();
  ASSERT_TRUE(info.shown);
  EXPECT_EQ(info.title, "Info");
  EXPECT_EQ(info.labels.at("Vid"), "06A3 = 1699");
  EXPECT_EQ(info.labels.at("Pid"), "0D67 = 3431");
  EXPECT_EQ(info.labels.at("Vers"), "0100 = 256");
  EXPECT_EQ(info.labels.at("InputLen"), "3");
  EXPECT_EQ(info.labels.at("OutputLen"), "0");  // length 0 keeps the design text
  EXPECT_EQ(info.labels.at("FeatureLen"), "10");
  EXPECT_EQ(info.labels.at("VendorName"), "Saitek");
  EXPECT_EQ(info.labels.at("ProductName"), "Saitek Pro Flight Switch Panel");
  EXPECT_EQ(info.labels.at("SerialNo"), "A1");
  EXPECT_EQ(info.lists.at("DevStrings"), (QStringList{"  1) Saitek", "  7) Panel", "255) Last"}));
  EXPECT_EQ(info.lists.at("LangStrings"), QStringList{"English (United States)"});
}

TEST_F(InfoTest, ADeviceWithoutLanguageTableShowsNoLanguagesAndNoSerial) {
  test::ScriptedDeviceSpec traits;
  traits.ids = {0x046D, 0xC52B, 0x1201};
  traits.product = u"";
  traits.serial = u"S9";
  traits.languageIds = std::nullopt;
  traits.lengths = {1, 2, 0};
  rig.platform.plugIn(traits);
  rig.activateAndScan();

  const ShownInfo info = clickInfo();
  ASSERT_TRUE(info.shown);
  EXPECT_EQ(info.labels.at("Vid"), "046D = 1133");
  EXPECT_EQ(info.labels.at("InputLen"), "0");
  EXPECT_EQ(info.labels.at("OutputLen"), "1");
  EXPECT_TRUE(info.labels.at("SerialNo").isEmpty());
  EXPECT_TRUE(info.lists.at("DevStrings").isEmpty());
  EXPECT_TRUE(info.lists.at("LangStrings").isEmpty());
}

TEST_F(InfoTest, NoDialogWithoutASelectedEntry) {
  rig.activateAndScan();  // no device present
  EXPECT_FALSE(clickInfo().shown);
}

}  // namespace
}  // namespace qv
