// Load, Save, Save As and Apply through the real buttons, dialogs and
// message boxes of the Win32 window.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

#include "platform/windows/Win32Text.h"
#include "profile/ProfileFile.h"
#include "tests/windows/ui/Win32UiRig.h"

namespace qv::test {
namespace {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Win32Profile, StartWithoutAProfileThenSaveAsksForAName) {
  Win32UiRig rig;
  ASSERT_EQ(rig.messages,
            std::vector<std::string>{std::string(kLoadFailedMessage) + "profile.psv"});
  EXPECT_EQ(rig.controls().text("MainForm"), "");
  // The title bar and the taskbar still name the program.
  EXPECT_EQ(windowText(rig.window.handle()), "Quorvane");

  std::string filter;
  rig.answers.then(chooseFile((rig.folder() / "flight").string(), &filter));
  rig.click("Button1");
  EXPECT_TRUE(rig.answers.allAnswered());
  EXPECT_EQ(filter, "Profile File");
  EXPECT_EQ(rig.messages.size(), 1U);
  EXPECT_FALSE(std::filesystem::exists(rig.folder() / "profile.psv"));
  EXPECT_EQ(readFile(rig.folder() / "flight.psv"), readFile(fixture("default-profile.psv")));
  EXPECT_EQ(rig.controls().text("MainForm"),
            "Quorvane - " + (rig.folder() / "flight.psv").string());
}

TEST(Win32Profile, LoadOfAMissingFileAndApplyOfABadNumberShowTheirMessages) {
  Win32UiRig rig([](const std::filesystem::path& folder) {
    std::filesystem::copy_file(fixture("default-profile.psv"), folder / "profile.psv");
  });
  EXPECT_TRUE(rig.messages.empty());
  EXPECT_EQ(rig.controls().text("MainForm"), "Quorvane - profile.psv");

  std::string filter;
  const std::string missing = (rig.folder() / "missing.psv").string();
  rig.answers.then(chooseFile(missing, &filter));
  rig.answers.then(confirmMessage(rig.messages));
  rig.click("Button4");
  EXPECT_EQ(filter, "Driver Profile");
  EXPECT_EQ(rig.messages, std::vector<std::string>{std::string(kLoadFailedMessage) + missing});
  EXPECT_EQ(rig.controls().text("MainForm"), "Quorvane - profile.psv");

  rig.controls().setText("Edit46", "x1");
  rig.answers.then(confirmMessage(rig.messages));
  rig.click("Button2");
  ASSERT_EQ(rig.messages.size(), 2U);
  EXPECT_EQ(rig.messages[1], "'x1' is not a valid integer value");
}

TEST(Win32Profile, TheTimerTicksWhileAMessageBoxIsOpen) {
  Win32UiRig rig;
  int ticks = 0;
  int ticksAtOpen = 0;
  rig.toolkit.startTimer(250, [&ticks] { ++ticks; });
  std::thread user;
  rig.answers.then([&](HWND box) {
    ticksAtOpen = ticks;
    user = std::thread([box] {
      Sleep(1100);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
  });
  rig.toolkit.showMessage("a moment");
  user.join();
  EXPECT_GE(ticks - ticksAtOpen, 3);
}

// A handler that throws inside a window procedure or a tick: the program's
// error box shows what went wrong, and the window goes on.
TEST(Win32Profile, AnExceptionOfAHandlerIsShownAndStopsAtTheMessage) {
  Win32UiRig rig;
  struct Throwing final : FormEvents {
    void clicked(std::string_view name) override { throw std::runtime_error(std::string(name)); }
    void pageChanged(std::string_view /*name*/) override {}
    void keyDown(std::string_view /*name*/, int /*virtualKey*/) override {}
    void shown() override {}
    void activated() override {}
    void closing() override {}
  } throwing;
  rig.controls().setEvents(&throwing);
  rig.answers.then(confirmMessage(rig.messages));
  rig.click("Button2");
  rig.answers.then(confirmMessage(rig.messages));
  bool thrown = false;
  rig.toolkit.startTimer(10, [&thrown] {
    if (!std::exchange(thrown, true)) {
      throw std::runtime_error("tick");
    }
  });
  pumpUntil([&rig] { return rig.answers.allAnswered(); });
  rig.toolkit.stopTimer();
  rig.controls().setEvents(rig.form.get());
  EXPECT_EQ(rig.messages.back(), "tick");
  EXPECT_EQ(rig.messages.at(1), "Button2");
}

}  // namespace
}  // namespace qv::test
