#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <future>
#include <sstream>

#include "engine/MappingRows.h"
#include "engine/SwitchEngine.h"
#include "hid/PanelBinding.h"
#include "profile/ProfileFile.h"
#include "sim/SimulatorLink.h"
#include "tests/support/CallingBackSource.h"
#include "tests/ui/support/HeadlessWindow.h"

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

// The default profile with one line replaced, as "profile.psv".
std::function<void(const std::filesystem::path&)> profileWith(const std::string& line,
                                                              const std::string& replacement) {
  return [line, replacement](const std::filesystem::path& folder) {
    std::string text = readFile(fixture("default-profile.psv"));
    ASSERT_NE(text.find(line), std::string::npos);
    text.replace(text.find(line), line.size(), replacement);
    std::ofstream(folder / "profile.psv", std::ios::binary) << text;
  };
}

const std::string kBatteryLine = "13,\"Master Battery\",\"K\",\"N None\",\"0\",\"1\",\"0\"";

TEST(MainWindow, EveryMappingControlExistsWithItsDefault) {
  HeadlessWindow window(copyDefaultProfile);
  const HeadlessControls& c = window.controls;
  for (const NamedDefault& d : mappingDefaults()) {
    ASSERT_TRUE(c.has(d.name)) << d.name;
    EXPECT_EQ(c.text(d.name), d.text) << d.name;
  }
  for (const KeystrokeRow& row : kKeystrokeRows) {
    EXPECT_EQ(c.at(row.modifier).items.size(), 7U) << row.modifier;
    EXPECT_TRUE(c.at(row.modifier).row.has(flag::kEditable)) << row.modifier;
    EXPECT_FALSE(c.visible(row.duration)) << row.duration;
    EXPECT_TRUE(c.at(row.code).row.has(flag::kDigitsOnly)) << row.code;
    EXPECT_EQ(c.at(row.presses).row.typingLimit, 2) << row.presses;
    EXPECT_TRUE(c.at(row.nameBox).row.has(flag::kReadOnly)) << row.nameBox;
  }
  ASSERT_EQ(c.at("ComboBox5").items.size(), 4U);
  EXPECT_EQ(c.at("ComboBox5").items[2], "Amber");
}

TEST(MainWindow, PagesTopPanelAndStartPage) {
  HeadlessWindow window(copyDefaultProfile);
  const HeadlessControls& c = window.controls;
  std::vector<std::pair<std::string, std::string>> pages;
  for (const Control& row : mainWindowForm()) {
    if (row.kind == Kind::Page) {
      pages.emplace_back(row.name, row.text);
    }
  }
  EXPECT_EQ(pages,
            (std::vector<std::pair<std::string, std::string>>{{"TabSheet1", "Landing Gear"},
                                                              {"TabSheet2", "Magneto"},
                                                              {"TabSheet3", "Panel Keys"},
                                                              {"TabSheet5", "Bottom Panel Keys"},
                                                              {"Test", "Test"},
                                                              {"TabSheet4", "Info"},
                                                              {"TabSheet6", "TabSheet6"}}));
  EXPECT_FALSE(c.at("TabSheet6").tabVisible);
  EXPECT_FALSE(c.visible("TabSheet6"));
  EXPECT_FALSE(c.at("TabSheet6").enabled);
  EXPECT_EQ(c.selected("PageControl1"), 5);
  EXPECT_EQ(c.text("Button4"), "Load");
  EXPECT_EQ(c.text("Button5"), "Save As");
  EXPECT_EQ(c.text("Label41"), "Quorvane");
  EXPECT_EQ(c.text("lblSimConStatus"), "Not Loaded");
  EXPECT_EQ(c.text("TxtKeyCode"), "0");
  EXPECT_FALSE(c.visible("Panel7"));
  EXPECT_EQ(c.at("MainForm").row.width, 787);
  EXPECT_EQ(c.at("MainForm").row.height, 462);
  EXPECT_EQ(c.at("Image2").pictureWidth, 142);
}

TEST(MainWindow, StartWithoutProfileShowsTheLoadMessageAndSaveAsksForAName) {
  HeadlessWindow window;
  ASSERT_EQ(window.toolkit.shown, std::vector<std::string>{kLoadMessage});
  EXPECT_EQ(window.controls.text("MainForm"), "");
  EXPECT_EQ(window.form->engine().keyarray[1].outtype, 0);

  window.controls.click("Button1");
  EXPECT_EQ(window.toolkit.shown.size(), 1U) << "a cancelled dialog is no failure";
  EXPECT_FALSE(std::filesystem::exists(window.folder() / "profile.psv"));

  window.toolkit.saveAnswer = (window.folder() / "mine.psv").string();
  window.controls.click("Button1");
  EXPECT_EQ(window.toolkit.shown.size(), 1U);
  EXPECT_EQ(readFile(window.folder() / "mine.psv"), readFile(fixture("default-profile.psv")));
  EXPECT_EQ(window.controls.text("MainForm"),
            "Quorvane - " + (window.folder() / "mine.psv").string());
}

TEST(MainWindow, StartWithAProfileShowsItAndBuildsTheTable) {
  HeadlessWindow window(
      profileWith(kBatteryLine, "13,\"Master Battery\",\"K\",\"C Control\",\"66\",\"2\",\"0\""));
  EXPECT_TRUE(window.toolkit.shown.empty());
  EXPECT_EQ(window.controls.text("MainForm"), "Quorvane - profile.psv");
  EXPECT_EQ(window.controls.text("Edit8"), "66");
  EXPECT_EQ(window.controls.text("ComboBox10"), "C Control");
  EXPECT_EQ(window.controls.selected("ComboBox10"), 1);
  const TKeyPressRec& battery = window.form->engine().keyarray[13];
  EXPECT_EQ(battery.key1, kVkControl);
  EXPECT_EQ(battery.key2, 66);
  EXPECT_EQ(battery.presses, 2);
}

TEST(MainWindow, ApplyWithAnEmptyBoxShowsTheConversionMessage) {
  HeadlessWindow window(copyDefaultProfile);
  window.controls.setText("Edit46", "");
  window.controls.setText("Edit45", "70");
  window.controls.click("Button2");
  EXPECT_EQ(window.toolkit.shown, std::vector<std::string>{"'' is not a valid integer value"});
  // The failing record keeps its previous values whole.
  EXPECT_EQ(window.form->engine().keyarray[8].key1, 0);
}

TEST(MainWindow, LoadFromTheDialogAndCancel) {
  HeadlessWindow window(copyDefaultProfile);
  window.controls.click("Button4");  // cancelled
  window.controls.click("Button5");
  EXPECT_TRUE(window.toolkit.shown.empty());
  window.toolkit.openAnswer = (window.folder() / "missing.psv").string();
  window.controls.click("Button4");
  ASSERT_EQ(window.toolkit.shown.size(), 1U);
  EXPECT_EQ(window.toolkit.shown[0],
            "There was a problem loading the profile.  Please check the file. " +
                (window.folder() / "missing.psv").string());
  EXPECT_EQ(window.controls.text("MainForm"), "Quorvane - profile.psv");
}

TEST(MainWindow, TestTabSetsTheFlagAndOtherTabsClearIt) {
  HeadlessWindow window(copyDefaultProfile);
  EXPECT_FALSE(window.form->engine().testSaitekPanel);
  window.controls.choose("PageControl1", 4);
  EXPECT_TRUE(window.form->engine().testSaitekPanel);
  window.controls.choose("PageControl1", 5);
  EXPECT_FALSE(window.form->engine().testSaitekPanel);
  window.controls.choose("PageControl1", 4);
  window.controls.choose("PageControl1", 0);
  EXPECT_FALSE(window.form->engine().testSaitekPanel);
}

TEST(MainWindow, GetKeyCodeShowsTheKeysCode) {
  HeadlessWindow window(copyDefaultProfile);
  window.controls.keyDown("TxtKeyRead", 71);
  EXPECT_EQ(window.controls.text("TxtKeyCode"), "71");
  window.controls.keyDown("Edit4", 16);  // any other box: nothing
  EXPECT_EQ(window.controls.text("TxtKeyCode"), "71");
}

// An injector whose reason for failing can change between batches.
class TroubledInjector final : public KeyInjector {
 public:
  void inject(std::span<const KeyEvent> /*batch*/) override {}
  [[nodiscard]] std::string deliveryProblem() const override { return problem; }
  std::string problem = "No way to the focused program.";
};

TEST(MainWindow, EachNewKeystrokeProblemIsShownOnceUnderThePagesAndInTheHistory) {
  TroubledInjector injector;
  HeadlessWindow window({}, nullptr, &injector);
  const auto timesLogged = [&](const std::string& line) {
    const auto history = window.controls.items("HistoryListBox");
    return std::count(history.begin(), history.end(), line);
  };
  EXPECT_EQ(window.controls.text("lblKeyDelivery"), injector.problem);  // before any keystroke
  window.form->engine().sendkeys('P', 13);
  EXPECT_EQ(timesLogged("No way to the focused program."), 1);

  injector.problem = "The focused program runs as administrator.";
  window.form->engine().sendkeys('P', 13);
  EXPECT_EQ(window.controls.text("lblKeyDelivery"), injector.problem);
  EXPECT_EQ(timesLogged(injector.problem), 1);
  injector.problem.clear();
  window.form->engine().sendkeys('D', 13);
  EXPECT_EQ(window.controls.text("lblKeyDelivery"), "");
}

TEST(MainWindow, TheTimerTicksTheStatusAndStopsWithTheWindow) {
  HeadlessWindow window(copyDefaultProfile);
  EXPECT_EQ(window.toolkit.timerInterval, 250);
  window.controls.setText("lblSimConStatus", "");
  ASSERT_TRUE(window.toolkit.tick());
  EXPECT_EQ(window.controls.text("lblSimConStatus"), "Not Loaded");
  window.form.reset();
  EXPECT_FALSE(window.toolkit.timerRunning());
  EXPECT_EQ(window.controls.events(), nullptr);
}

TEST(MainWindow, PanelReportsBecomeKeystrokesAndLightsGoOffWhenShown) {
  HeadlessWindow window(
      profileWith(kBatteryLine, "13,\"Master Battery\",\"K\",\"N None\",\"71\",\"1\",\"0\""));
  ScriptedDeviceSpec mouseSpec;
  mouseSpec.ids = {0x046D, 0xC077, 0x0100};
  mouseSpec.product = u"Mouse";
  const auto mouse = window.platform.plugIn(mouseSpec);
  const auto panel = window.platform.plugIn();
  ASSERT_TRUE(
      window.runUntil([&] { return window.form->binding().SaitekSwitchPanel() != nullptr; }));
  window.controls.events()->shown();
  ASSERT_FALSE(panel->features().empty());
  EXPECT_EQ(panel->features().back(), (std::vector<uint8_t>{0, 0, 0}));

  panel->sendInput({0, 0x00, 0x00, 0x00});  // resting state
  panel->sendInput({0, 0x01, 0x00, 0x00});  // battery on
  mouse->sendInput({0, 0x01, 0x00, 0x00});
  ASSERT_TRUE(window.runUntil([&] { return window.recorder.batches.size() >= 2; }));
  EXPECT_EQ(window.recorder.batches[0], (std::vector<KeyEvent>{{71, false}}));
  EXPECT_EQ(window.recorder.batches[1], (std::vector<KeyEvent>{{71, true}}));
}

TEST(MainWindow, ASourceWithoutADescriptorBindsAPanelPluggedInLater) {
  CallingBackSource source;
  {
    HeadlessWindow window({}, &source);
    window.toolkit.loop.runPending();  // the first scan, with no device
    ASSERT_EQ(window.form->binding().SaitekSwitchPanel(), nullptr);
    window.platform.plugIn();
    EXPECT_TRUE(source.fire());
    EXPECT_NE(window.form->binding().SaitekSwitchPanel(), nullptr);
  }
  EXPECT_FALSE(source.listenedTo());
}

TEST(MainWindow, FirstActivationBuildsTheByteEditorsOnceAndSelects) {
  HeadlessWindow window(copyDefaultProfile);
  const size_t before = window.controls.count();
  window.controls.events()->activated();
  EXPECT_EQ(window.controls.count() - before, 1023U);
  window.controls.events()->activated();
  EXPECT_EQ(window.controls.count() - before, 1023U);
}

TEST(MainWindow, TheTestPageAndConsoleControlsReachTheirHandlers) {
  HeadlessWindow window(copyDefaultProfile);
  ScriptedDeviceSpec mouseSpec;
  mouseSpec.ids = {0x046D, 0xC077, 0x0100};
  mouseSpec.product = u"Mouse";
  window.platform.plugIn(mouseSpec);
  const auto panel = window.platform.plugIn();
  ASSERT_TRUE(
      window.runUntil([&] { return window.form->binding().SaitekSwitchPanel() != nullptr; }));
  window.controls.events()->activated();
  int mouseLine = -1;
  for (int i = 0; i < window.form->binding().deviceCount(); ++i) {
    if (window.form->binding().deviceAt(i)->Attributes().VendorID == 0x046D) {
      mouseLine = i;
    }
  }
  ASSERT_GE(mouseLine, 0);

  window.controls.clickLine("DevListBox", mouseLine);
  EXPECT_EQ(window.form->binding().CurrentDevice(), window.form->binding().deviceAt(mouseLine));
  window.controls.click("InfoBtn");
  ASSERT_NE(window.toolkit.modal, nullptr);
  EXPECT_EQ(window.toolkit.modal->text("Vid"), "046D = 1133");
  window.controls.click("SaveBtn");
  EXPECT_EQ(window.toolkit.historyAsked, 1);

  const size_t featuresBefore = panel->features().size();
  window.controls.click("sswptestSpeedButton1");
  EXPECT_EQ(panel->features().size(), featuresBefore + 1);
  window.controls.click("saitekswitchpanelimage");
  EXPECT_TRUE(window.controls.visible("gearupimage"));
}

TEST(MainWindow, ClosingReleasesHeldKeysAndTurnsTheLightsOff) {
  HeadlessWindow window(copyDefaultProfile);
  const auto panel = window.platform.plugIn();
  ASSERT_TRUE(
      window.runUntil([&] { return window.form->binding().SaitekSwitchPanel() != nullptr; }));
  window.controls.setText("ComboBox11", "S Shift");
  window.controls.setText("Edit24", "65");
  window.controls.setText("Edit26", "9");
  window.controls.click("Button2");
  window.form->engine().SetKeyOn(14);
  const size_t featuresBefore = panel->features().size();
  window.controls.events()->closing();
  ASSERT_EQ(window.recorder.batches.size(), 2U);
  EXPECT_EQ(window.recorder.batches[1], (std::vector<KeyEvent>{{16, true}, {65, true}}));
  EXPECT_EQ(panel->features().size(), featuresBefore + 1);
  EXPECT_EQ(panel->features().back()[1], 0);
  EXPECT_TRUE(window.form->simulator().SimCon.Quit);
  EXPECT_EQ(readFile(window.folder() / "profile.psv"), readFile(fixture("default-profile.psv")));
}

TEST(MainWindow, ThreeDigitProfileValuesSurviveLoadApplyAndSave) {
  const std::string line5 = "5,\"Landing Gear Down\",\"K\",\"N None\",\"0\",\"1\",\"0\"";
  const std::string wide5 = "5,\"Landing Gear Down\",\"K\",\"S Shift\",\"71\",\"123\",\"250\"";
  HeadlessWindow window(profileWith(line5, wide5));
  ASSERT_TRUE(window.toolkit.shown.empty());
  EXPECT_EQ(window.controls.text("Edit9"), "123");
  EXPECT_EQ(window.controls.text("Edit11"), "250");
  EXPECT_EQ(window.form->engine().keyarray[5].presses, 123);
  EXPECT_EQ(window.form->engine().keyarray[5].pulses, 250);

  window.controls.click("Button2");
  window.controls.click("Button1");
  EXPECT_TRUE(window.toolkit.shown.empty());
  EXPECT_NE(readFile(window.folder() / "profile.psv").find(wide5 + "\r\n"), std::string::npos);
}

TEST(MainWindow, APanelReportInFlightWhileTheWindowGoesIsServedBeforeTheSimulatorGoes) {
  HeadlessWindow window(copyDefaultProfile);
  const auto panel = window.platform.plugIn();
  ASSERT_TRUE(
      window.runUntil([&] { return window.form->binding().SaitekSwitchPanel() != nullptr; }));
  // Gear up typed as a key, with a light step that goes through the simulator link.
  window.controls.setText("Edit4", "71");
  window.controls.setText("ComboBox1", "Green");
  window.controls.click("Button2");
  panel->sendInput({0, 0x00, 0x00, 0x00});  // resting state
  ASSERT_TRUE(window.runUntil([&] { return window.form->engine().panelinit; }));

  std::promise<void> read;
  panel->onReportCompleted([&] { read.set_value(); });
  panel->sendInput({0, 0x00, 0x00, 0x80});  // switch 17: gear up
  read.get_future().wait();
  // The reader now waits for the main thread to take the report.
  const Rgb green{0x00, 0x80, 0x00};
  ASSERT_NE(window.controls.at("LLN").colour, green);
  window.form.reset();
  ASSERT_FALSE(window.recorder.batches.empty());
  EXPECT_EQ(window.recorder.batches[0], (std::vector<KeyEvent>{{71, false}}));
  EXPECT_EQ(window.controls.at("LLN").colour, green);
}

}  // namespace
}  // namespace qv::test
