#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QValidator>
#include <fstream>
#include <future>
#include <sstream>

#include "engine/MappingRows.h"
#include "engine/SwitchEngine.h"
#include "hid/PanelBinding.h"
#include "profile/ProfileFile.h"
#include "sim/SimulatorLink.h"
#include "tests/ui/WindowRig.h"
#include "ui/QtNamedTexts.h"

namespace qv::test {
namespace {

const std::string kLoadMessage =
    "There was a problem loading the profile.  Please check the file. profile.psv";

void copyDefaultProfile(const std::filesystem::path& folder) {
  std::filesystem::copy_file(fixture("default-profile.psv"), folder / "profile.psv");
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(MainWindow, EveryMappingControlExistsWithItsDefault) {
  WindowRig rig(copyDefaultProfile);
  QtNamedTexts texts(*rig.form);
  for (const NamedDefault& d : mappingDefaults()) {
    ASSERT_NE(rig.form->findChild<QWidget*>(QString::fromUtf8(d.name.data(), d.name.size())),
              nullptr)
        << d.name;
    EXPECT_EQ(texts.text(d.name), d.text) << d.name;
  }
  for (const KeystrokeRow& row : kKeystrokeRows) {
    auto* combo = rig.form->findChild<QComboBox*>(QString::fromUtf8(row.modifier.data()));
    ASSERT_EQ(combo->count(), 7) << row.modifier;
    EXPECT_TRUE(combo->isEditable());
    auto* hidden = rig.form->findChild<QLineEdit*>(QString::fromUtf8(row.duration.data()));
    EXPECT_TRUE(hidden->isHidden()) << row.duration;
    // Two characters from the keyboard; the box itself holds longer texts.
    auto* presses = rig.form->findChild<QLineEdit*>(QString::fromUtf8(row.presses.data()));
    QString typed = "123";
    int position = 3;
    EXPECT_EQ(presses->validator()->validate(typed, position), QValidator::Invalid) << row.presses;
    EXPECT_TRUE(
        rig.form->findChild<QLineEdit*>(QString::fromUtf8(row.nameBox.data()))->isReadOnly());
  }
  auto* colour = rig.form->findChild<QComboBox*>("ComboBox5");
  ASSERT_EQ(colour->count(), 4);
  EXPECT_EQ(colour->itemText(2), "Amber");
}

TEST(MainWindow, DigitBoxesTakeOnlyDigitsFromTheKeyboard) {
  WindowRig rig(copyDefaultProfile);
  auto* code = rig.form->findChild<QLineEdit*>("Edit4");
  QString typed = "7a";
  int position = 0;
  EXPECT_EQ(code->validator()->validate(typed, position), QValidator::Invalid);
  typed = "123";
  EXPECT_EQ(code->validator()->validate(typed, position), QValidator::Acceptable);
}

TEST(MainWindow, PagesTopPanelAndStartPage) {
  WindowRig rig(copyDefaultProfile);
  auto* pages = rig.form->findChild<QTabWidget*>("PageControl1");
  const std::vector<std::pair<const char*, const char*>> expected{
      {"TabSheet1", "Landing Gear"},      {"TabSheet2", "Magneto"}, {"TabSheet3", "Panel Keys"},
      {"TabSheet5", "Bottom Panel Keys"}, {"Test", "Test"},         {"TabSheet4", "Info"},
      {"TabSheet6", "TabSheet6"}};
  ASSERT_EQ(pages->count(), 7);
  for (int i = 0; i < pages->count(); ++i) {
    EXPECT_EQ(pages->widget(i)->objectName(), expected.at(i).first);
    EXPECT_EQ(pages->tabText(i), expected.at(i).second);
  }
  EXPECT_FALSE(pages->isTabVisible(6));
  EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet4");
  EXPECT_EQ(rig.form->findChild<QPushButton*>("Button4")->text(), "Load");
  EXPECT_EQ(rig.form->findChild<QPushButton*>("Button5")->text(), "Save As");
  EXPECT_EQ(rig.form->findChild<QLabel*>("Label41")->text(), "Quorvane");
  EXPECT_EQ(rig.form->findChild<QLabel*>("lblSimConStatus")->text(), "Not Loaded");
  EXPECT_EQ(rig.form->findChild<QLineEdit*>("TxtKeyCode")->text(), "0");
  EXPECT_TRUE(rig.form->findChild<QWidget*>("Panel7")->isHidden());
  EXPECT_EQ(rig.form->size(), QSize(787, 462));
}

TEST(MainWindow, StartWithoutProfileShowsTheLoadMessageAndSaveFails) {
  WindowRig rig;
  ASSERT_EQ(rig.messages.shown, std::vector<std::string>{kLoadMessage});
  EXPECT_EQ(rig.form->windowTitle(), "");
  EXPECT_EQ(rig.form->engine().keyarray[1].outtype, 0);

  rig.form->Button1Click();
  ASSERT_EQ(rig.messages.shown.size(), 2U);
  EXPECT_EQ(rig.messages.shown[1], "There was a problem saving the profile.  Please check file.");
  EXPECT_FALSE(std::filesystem::exists(rig.folder() / "profile.psv"));

  rig.dialogs.saveAnswer = QString::fromStdString((rig.folder() / "mine.psv").string());
  rig.form->Button5Click();
  EXPECT_EQ(rig.messages.shown.size(), 2U);
  EXPECT_EQ(readFile(rig.folder() / "mine.psv"), readFile(fixture("default-profile.psv")));
  EXPECT_EQ(rig.form->windowTitle().toStdString(),
            "Quorvane - " + (rig.folder() / "mine.psv").string());
}

TEST(MainWindow, StartWithAProfileShowsItAndBuildsTheTable) {
  WindowRig rig([](const std::filesystem::path& folder) {
    std::string text = readFile(fixture("default-profile.psv"));
    const std::string line13 = "13,\"Master Battery\",\"K\",\"N None\",\"0\",\"1\",\"0\"";
    text.replace(text.find(line13), line13.size(),
                 "13,\"Master Battery\",\"K\",\"C Control\",\"66\",\"2\",\"0\"");
    std::ofstream(folder / "profile.psv", std::ios::binary) << text;
  });
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_EQ(rig.form->windowTitle(), "Quorvane - profile.psv");
  EXPECT_EQ(rig.form->findChild<QLineEdit*>("Edit8")->text(), "66");
  EXPECT_EQ(rig.form->findChild<QComboBox*>("ComboBox10")->currentText(), "C Control");
  const TKeyPressRec& battery = rig.form->engine().keyarray[13];
  EXPECT_EQ(battery.key1, kVkControl);
  EXPECT_EQ(battery.key2, 66);
  EXPECT_EQ(battery.presses, 2);
}

TEST(MainWindow, ApplyWithAnEmptyBoxShowsTheConversionMessage) {
  WindowRig rig(copyDefaultProfile);
  rig.form->findChild<QLineEdit*>("Edit46")->setText("");
  rig.form->findChild<QLineEdit*>("Edit45")->setText("70");
  rig.form->Button2Click();
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>{"'' is not a valid integer value"});
  // The failing record keeps its previous values whole.
  EXPECT_EQ(rig.form->engine().keyarray[8].key1, 0);
}

TEST(MainWindow, LoadFromTheDialogAndCancel) {
  WindowRig rig(copyDefaultProfile);
  rig.form->Button4Click();  // cancelled
  rig.form->Button5Click();
  EXPECT_TRUE(rig.messages.shown.empty());
  rig.dialogs.openAnswer = QString::fromStdString((rig.folder() / "missing.psv").string());
  rig.form->Button4Click();
  ASSERT_EQ(rig.messages.shown.size(), 1U);
  EXPECT_EQ(rig.messages.shown[0],
            "There was a problem loading the profile.  Please check the file. " +
                (rig.folder() / "missing.psv").string());
  EXPECT_EQ(rig.form->windowTitle(), "Quorvane - profile.psv");
}

TEST(MainWindow, TestTabSetsTheFlagAndOtherTabsClearIt) {
  WindowRig rig(copyDefaultProfile);
  auto* pages = rig.form->findChild<QTabWidget*>("PageControl1");
  EXPECT_FALSE(rig.form->engine().testSaitekPanel);
  pages->setCurrentIndex(4);
  EXPECT_TRUE(rig.form->engine().testSaitekPanel);
  pages->setCurrentIndex(5);
  EXPECT_FALSE(rig.form->engine().testSaitekPanel);
  pages->setCurrentIndex(4);
  pages->setCurrentIndex(0);
  EXPECT_FALSE(rig.form->engine().testSaitekPanel);
}

TEST(MainWindow, PanelReportsBecomeKeystrokesAndLightsGoOffWhenShown) {
  WindowRig rig([](const std::filesystem::path& folder) {
    std::string text = readFile(fixture("default-profile.psv"));
    const std::string line = "13,\"Master Battery\",\"K\",\"N None\",\"0\",\"1\",\"0\"";
    text.replace(text.find(line), line.size(),
                 "13,\"Master Battery\",\"K\",\"N None\",\"71\",\"1\",\"0\"");
    std::ofstream(folder / "profile.psv", std::ios::binary) << text;
  });
  ScriptedDeviceSpec mouseSpec;
  mouseSpec.ids = {0x046D, 0xC077, 0x0100};
  mouseSpec.product = u"Mouse";
  const auto mouse = rig.platform.plugIn(mouseSpec);
  const auto panel = rig.platform.plugIn();
  ASSERT_TRUE(
      WindowRig::runUntil([&] { return rig.form->binding().SaitekSwitchPanel() != nullptr; }));
  rig.form->show();
  ASSERT_FALSE(panel->features().empty());
  EXPECT_EQ(panel->features().back(), (std::vector<uint8_t>{0, 0, 0}));

  panel->sendInput({0, 0x00, 0x00, 0x00});  // resting state
  panel->sendInput({0, 0x01, 0x00, 0x00});  // battery on
  mouse->sendInput({0, 0x01, 0x00, 0x00});
  ASSERT_TRUE(WindowRig::runUntil([&] { return rig.recorder.batches.size() >= 2; }));
  EXPECT_EQ(rig.recorder.batches[0], (std::vector<KeyEvent>{{71, false}}));
  EXPECT_EQ(rig.recorder.batches[1], (std::vector<KeyEvent>{{71, true}}));
}

TEST(MainWindow, ClosingReleasesHeldKeysAndTurnsTheLightsOff) {
  WindowRig rig(copyDefaultProfile);
  const auto panel = rig.platform.plugIn();
  ASSERT_TRUE(
      WindowRig::runUntil([&] { return rig.form->binding().SaitekSwitchPanel() != nullptr; }));
  rig.form->findChild<QComboBox*>("ComboBox11")->setEditText("S Shift");
  rig.form->findChild<QLineEdit*>("Edit24")->setText("65");
  rig.form->findChild<QLineEdit*>("Edit26")->setText("9");
  rig.form->Button2Click();
  rig.form->engine().SetKeyOn(14);
  const size_t featuresBefore = panel->features().size();
  rig.form->close();
  ASSERT_EQ(rig.recorder.batches.size(), 2U);
  EXPECT_EQ(rig.recorder.batches[1], (std::vector<KeyEvent>{{16, true}, {65, true}}));
  EXPECT_EQ(panel->features().size(), featuresBefore + 1);
  EXPECT_EQ(panel->features().back()[1], 0);
  EXPECT_TRUE(rig.form->simulator().SimCon.Quit);
}

TEST(MainWindow, ThreeDigitProfileValuesSurviveLoadApplyAndSave) {
  const std::string line5 = "5,\"Landing Gear Down\",\"K\",\"N None\",\"0\",\"1\",\"0\"";
  const std::string wide5 = "5,\"Landing Gear Down\",\"K\",\"S Shift\",\"71\",\"123\",\"250\"";
  WindowRig rig([&](const std::filesystem::path& folder) {
    std::string text = readFile(fixture("default-profile.psv"));
    ASSERT_NE(text.find(line5), std::string::npos);
    text.replace(text.find(line5), line5.size(), wide5);
    std::ofstream(folder / "profile.psv", std::ios::binary) << text;
  });
  ASSERT_TRUE(rig.messages.shown.empty());
  EXPECT_EQ(rig.form->findChild<QLineEdit*>("Edit9")->text(), "123");
  EXPECT_EQ(rig.form->findChild<QLineEdit*>("Edit11")->text(), "250");
  EXPECT_EQ(rig.form->engine().keyarray[5].presses, 123);
  EXPECT_EQ(rig.form->engine().keyarray[5].pulses, 250);

  rig.form->Button2Click();
  rig.form->Button1Click();
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_NE(readFile(rig.folder() / "profile.psv").find(wide5 + "\r\n"), std::string::npos);
}

TEST(MainWindow, APanelReportInFlightWhileTheWindowGoesIsServedBeforeTheSimulatorGoes) {
  WindowRig rig(copyDefaultProfile);
  const auto panel = rig.platform.plugIn();
  ASSERT_TRUE(
      WindowRig::runUntil([&] { return rig.form->binding().SaitekSwitchPanel() != nullptr; }));
  // Gear up typed as a key, with a light step that goes through the simulator link.
  rig.form->findChild<QLineEdit*>("Edit4")->setText("71");
  rig.form->findChild<QComboBox*>("ComboBox1")->setEditText("Green");
  rig.form->Button2Click();
  panel->sendInput({0, 0x00, 0x00, 0x00});  // resting state
  ASSERT_TRUE(WindowRig::runUntil([&] { return rig.form->engine().panelinit; }));

  std::promise<void> read;
  panel->onReportCompleted([&] { read.set_value(); });
  panel->sendInput({0, 0x00, 0x00, 0x80});  // switch 17: gear up
  read.get_future().wait();
  // The reader now waits for the main thread to take the report.
  rig.form.reset();
  ASSERT_FALSE(rig.recorder.batches.empty());
  EXPECT_EQ(rig.recorder.batches[0], (std::vector<KeyEvent>{{71, false}}));
}

}  // namespace
}  // namespace qv::test
