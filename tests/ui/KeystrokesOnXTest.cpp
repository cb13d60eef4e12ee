#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <fstream>
#include <sstream>

#include "hid/PanelBinding.h"
#include "platform/linux/XTestInjector.h"
#include "tests/ui/WindowRig.h"

namespace qv::test {
namespace {

// The real window under the X server, typing through the real XTest injector.
class KeystrokesOnX : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "needs an X server";
    injector = makeXTestInjector();
    rig = std::make_unique<WindowRig>(
        [](const std::filesystem::path& folder) {
          std::ifstream in(fixture("default-profile.psv"), std::ios::binary);
          std::stringstream text;
          text << in.rdbuf();
          std::string profile = text.str();
          const std::string line = "13,\"Master Battery\",\"K\",\"N None\",\"0\",\"1\",\"0\"";
          profile.replace(profile.find(line), line.size(),
                          "13,\"Master Battery\",\"K\",\"N None\",\"71\",\"1\",\"0\"");
          std::ofstream(folder / "profile.psv", std::ios::binary) << profile;
        },
        injector.get());
    // Present before the first scan, which the event loop runs.
    panel = rig->platform.plugIn();
    rig->form->showCentred();
    rig->form->activateWindow();
    keyRead = rig->form->findChild<QLineEdit*>("TxtKeyRead");
    keyCode = rig->form->findChild<QLineEdit*>("TxtKeyCode");
    keyRead->setFocus();
    ASSERT_TRUE(WindowRig::runUntil([this] { return keyRead->hasFocus(); }));
  }

  void press(uint16_t vk) {
    const std::array<KeyEvent, 1> downBatch{KeyEvent{vk, false}};
    const std::array<KeyEvent, 1> upBatch{KeyEvent{vk, true}};
    injector->inject(downBatch);
    injector->inject(upBatch);
  }

  std::unique_ptr<KeyInjector> injector;
  std::unique_ptr<WindowRig> rig;
  std::shared_ptr<ScriptedDevice> panel;
  QLineEdit* keyRead = nullptr;
  QLineEdit* keyCode = nullptr;
};

TEST_F(KeystrokesOnX, GetKeyCodeShowsTheCodeAndTypesTheKey) {
  press(16);
  ASSERT_TRUE(WindowRig::runUntil([this] { return keyCode->text() == "16"; }));
  press('G');
  ASSERT_TRUE(WindowRig::runUntil([this] { return keyCode->text() == "71"; }));
  EXPECT_TRUE(WindowRig::runUntil([this] { return keyRead->text() == "g"; }));
}

TEST_F(KeystrokesOnX, PanelSwitchTypesItsKeyIntoTheFocusedBox) {
  ASSERT_TRUE(
      WindowRig::runUntil([this] { return rig->form->binding().SaitekSwitchPanel() != nullptr; }));
  panel->sendInput({0, 0x00, 0x00, 0x00});  // resting state
  panel->sendInput({0, 0x01, 0x00, 0x00});  // battery switch on: key code 71
  EXPECT_TRUE(WindowRig::runUntil([this] { return keyRead->text() == "g"; }));
  EXPECT_EQ(keyCode->text(), "71");
}

}  // namespace
}  // namespace qv::test
