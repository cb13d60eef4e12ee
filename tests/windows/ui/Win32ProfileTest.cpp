// Load, Save, Save As and Apply through the real buttons, dialogs and
// message boxes of the Win32 window.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

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

}  // namespace
}  // namespace qv::test
