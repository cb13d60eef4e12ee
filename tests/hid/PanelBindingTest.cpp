#include "hid/PanelBinding.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/HistoryLog.h"
#include "engine/PanelIndicators.h"
#include "engine/SwitchEngine.h"
#include "hid/DeviceListView.h"
#include "hid/THidDeviceController.h"
#include "tests/support/HidTestSupport.h"
#include "tests/support/RecordingInjector.h"
#include "tests/support/ScriptedHidPlatform.h"

namespace qv {
namespace {

using test::ScriptedDeviceSpec;

class FakeDeviceList final : public DeviceListView {
 public:
  void addDeviceEntry(const std::string& text) override { entries.push_back(text); }
  void clearDeviceEntries() override {
    entries.clear();
    selected = -1;
  }
  int selectedDeviceEntry() const override { return selected; }
  void selectDeviceEntry(int index) override { selected = index; }
  void setReadButtonDown(bool down) override { readButtonDown = down; }
  bool byteEditorsBuilt() const override { return editorsBuilt; }
  void showByteEditors(int count) override { shownEditors = std::max(shownEditors, count); }

  std::vector<std::string> entries;
  int selected = -1;
  bool readButtonDown = false;
  bool editorsBuilt = false;
  int shownEditors = 0;
};

class FakeHistory final : public HistoryLog {
 public:
  void appendLine(const std::string& line) override { lines.push_back(line); }
  void clear() override { lines.clear(); }
  std::vector<std::string> lines;
};

class NoIndicators final : public PanelIndicators {
 public:
  void setIndicatorVisible(std::string_view, bool) override {}
};

ScriptedDeviceSpec otherDevice(const std::u16string& product) {
  ScriptedDeviceSpec traits;
  traits.ids = {0x046D, 0xC52B, 1};
  traits.product = product;
  return traits;
}

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override { controller.DevThreadSleepTime = 10; }

  void firstScan() { loop.runPending(); }
  void rescan() { controller.DeviceChangeNotification(0); }
  // Waits until the panel's reader has handed over `report` and the engine took it.
  bool panelReports(test::ScriptedDevice& panel, std::vector<uint8_t> report) {
    const size_t before = history.lines.size();
    panel.sendInput(std::move(report));
    return test::pumpUntil(loop, [&] { return history.lines.size() >= before + 2; });
  }

  test::ScriptedHidPlatform platform;
  test::ManualEventLoop loop;
  FakeDeviceList list;
  FakeHistory history;
  NoIndicators indicators;
  test::RecordingInjector injector;
  SwitchEngine engine{injector, history, indicators};
  THidDeviceController controller{platform, loop, nullptr};
  PanelBinding binding{controller, list, history,
                       [this](uint16_t vendorId, uint16_t productId, uint8_t ReportID,
                              const uint8_t* Data, uint16_t Size) {
                         if (beforeEachReport) {
                           beforeEachReport();
                         }
                         engine.ShowRead(vendorId, productId, ReportID, Data, Size);
                       }};
  std::function<void()> beforeEachReport;
};

TEST_F(BindingTest, ThePanelAtEntryTwoDrivesTheEngineUnselected) {
  const auto mouse = platform.plugIn(otherDevice(u"Mouse"));
  const auto keyboard = platform.plugIn(otherDevice(u"Keyboard"));
  const auto panel = platform.plugIn();
  firstScan();

  EXPECT_EQ(list.entries,
            (std::vector<std::string>{"Mouse", "Keyboard", "Saitek Pro Flight Switch Panel"}));
  ASSERT_EQ(binding.deviceCount(), 3);
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(binding.deviceAt(i), nullptr);
    EXPECT_TRUE(binding.deviceAt(i)->IsCheckedOut());
  }
  EXPECT_EQ(binding.SaitekSwitchPanel(), binding.deviceAt(2));
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(binding.CurrentDevice(), binding.deviceAt(0));

  mouse->sendInput({0, 0xFF, 0xFF, 0xFF});
  ASSERT_TRUE(panelReports(*panel, {0, 0x00, 0x04, 0x8A}));
  EXPECT_EQ(history.lines, (std::vector<std::string>{"R 00  00 04 8A ", "04138"}));
  EXPECT_EQ(engine.newkey3, 0x8A);

  // A rebuild selects entry 0 again and keeps the panel bound.
  platform.unplug(keyboard);
  rescan();
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(binding.SaitekSwitchPanel(), binding.deviceAt(1));
}

TEST_F(BindingTest, AReportHandedOverDuringARebuildReachesNoPanelBeingReleased) {
  const auto panel = platform.plugIn();
  firstScan();
  const std::vector<uint8_t> lights{0, 0x07, 0};
  std::vector<bool> sent;
  beforeEachReport = [&] { sent.push_back(binding.setFeature(lights.data(), 3)); };
  std::atomic<bool> completed = false;
  panel->onReportCompleted([&] { completed = true; });
  panel->sendInput({0, 0x80, 0, 0});
  while (!completed) {
    std::this_thread::yield();
  }
  // The reader now waits in its hand-off, which only the release serves.
  binding.HidCtlDeviceChange();
  EXPECT_EQ(sent, std::vector<bool>{false});
  EXPECT_TRUE(panel->features().empty());
  EXPECT_EQ(binding.SaitekSwitchPanel(), binding.deviceAt(0));
}

TEST_F(BindingTest, AProductNameMatchIsBoundButItsReportsAreDropped) {
  ScriptedDeviceSpec lookalike;
  lookalike.ids = {0x1234, 0x5678, 1};
  const auto device = platform.plugIn(lookalike);
  firstScan();
  ASSERT_NE(binding.SaitekSwitchPanel(), nullptr);
  EXPECT_EQ(binding.SaitekSwitchPanel()->Attributes().VendorID, 0x1234);
  EXPECT_TRUE(binding.hasPanel());

  device->sendInput({0, 1, 2, 3});
  test::pumpFor(loop, std::chrono::milliseconds(50));
  EXPECT_TRUE(history.lines.empty());
  EXPECT_EQ(engine.newkey1, 0);
}

TEST_F(BindingTest, APanelWithoutProductStringIsListedByItsIdsAndBoundBesideARefusedDevice) {
  ScriptedDeviceSpec refused;
  refused.openable = false;
  const auto key = platform.plugIn(refused);
  ScriptedDeviceSpec nameless;
  nameless.product.clear();
  platform.plugIn(nameless);
  firstScan();
  EXPECT_EQ(list.entries, std::vector<std::string>{"Device VID=06A3 PID=0D67"});
  EXPECT_EQ(binding.SaitekSwitchPanel(), binding.deviceAt(0));
  // Noted after the rebuild has cleared the log.
  EXPECT_EQ(history.lines,
            std::vector<std::string>{"DEVICE SKIPPED: Device cannot be opened: " + key->path});
}

TEST_F(BindingTest, UnpluggingAndReplugginTheSwitchPanel) {
  const auto panel = platform.plugIn();
  platform.plugIn(otherDevice(u"Mouse"));
  firstScan();
  ASSERT_TRUE(panelReports(*panel, {0, 0x80, 0, 0}));

  platform.unplug(panel);
  rescan();
  EXPECT_EQ(binding.SaitekSwitchPanel(), nullptr);
  EXPECT_FALSE(binding.hasPanel());
  EXPECT_EQ(binding.featureReportByteLength(), 0);
  const std::vector<uint8_t> lights{0, 0x07, 0};
  EXPECT_FALSE(binding.setFeature(lights.data(), 3));
  EXPECT_EQ(list.entries, std::vector<std::string>{"Mouse"});
  EXPECT_EQ(controller.Count(), 1);

  const auto again = platform.plugIn();
  rescan();
  EXPECT_EQ(list.entries, (std::vector<std::string>{"Mouse", "Saitek Pro Flight Switch Panel"}));
  EXPECT_EQ(binding.SaitekSwitchPanel(), binding.deviceAt(1));
  EXPECT_EQ(binding.featureReportByteLength(), 3);
  EXPECT_TRUE(binding.setFeature(lights.data(), 3));
  EXPECT_EQ(again->features(), std::vector<std::vector<uint8_t>>{lights});
  EXPECT_TRUE(panel->features().empty());
  // The engine compares with the state from before the unplug.
  EXPECT_TRUE(engine.panelinit);
  ASSERT_TRUE(panelReports(*again, {0, 0x80, 0, 0}));
}

TEST_F(BindingTest, OfTwoPanelsTheOneEnumeratedLastIsBound) {
  platform.plugIn();
  platform.plugIn();
  firstScan();
  EXPECT_EQ(binding.SaitekSwitchPanel(), binding.deviceAt(1));
}

TEST_F(BindingTest, AReadErrorIsLoggedWithTheSystemsText) {
  platform.errorTexts[5] = "Access is denied.";
  const auto panel = platform.plugIn();
  firstScan();
  panel->failReads(5);
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return !history.lines.empty(); }));
  EXPECT_EQ(history.lines[0], "READ ERROR: Access is denied.");
}

TEST_F(BindingTest, SelectingThePanelRequestsItsInputReportOnceTheWindowIsActive) {
  ScriptedDeviceSpec traits;
  traits.lengths = {4, 9, 3};
  traits.currentInputReport = {0, 0x12, 0xAB, 0x03};
  const auto panel = platform.plugIn(traits);
  firstScan();
  EXPECT_TRUE(history.lines.empty());
  EXPECT_EQ(list.shownEditors, 0);

  list.editorsBuilt = true;
  binding.DevListBoxClick();
  EXPECT_EQ(history.lines, std::vector<std::string>{"I 00  12 AB 03 "});
  EXPECT_EQ(list.shownEditors, 8);

  // A failing request still leaves its line.
  panel->setSpec([](ScriptedDeviceSpec& s) { s.inputReportRequest = false; });
  binding.DevListBoxClick();
  EXPECT_EQ(history.lines, std::vector<std::string>{"I 00  00 00 00 "});
}

TEST_F(BindingTest, TheReadToggleFollowsTheSelectionAndStaysUpWithoutAccess) {
  ScriptedDeviceSpec queryOnly = otherDevice(u"Locked");
  queryOnly.readWrite = false;
  platform.plugIn(queryOnly);
  platform.plugIn();
  firstScan();
  list.readButtonDown = true;
  binding.ReadBtnClick();
  EXPECT_EQ(binding.CurrentDevice(), binding.deviceAt(0));
  EXPECT_FALSE(list.readButtonDown);
  EXPECT_EQ(binding.deviceAt(0)->Reader(), nullptr);

  list.selectDeviceEntry(1);
  list.readButtonDown = true;
  binding.ReadBtnClick();
  EXPECT_EQ(binding.CurrentDevice(), binding.deviceAt(1));
  EXPECT_TRUE(list.readButtonDown);
}

TEST(PanelBindingLifetime, AGoneBindingLeavesNoHandlerOfItsOwn) {
  test::ScriptedHidPlatform platform;
  test::ManualEventLoop loop;
  FakeDeviceList list;
  FakeHistory history;
  THidDeviceController controller(platform, loop, nullptr);
  controller.DevThreadSleepTime = 10;
  const auto panel = platform.plugIn();
  int reports = 0;
  {
    PanelBinding binding(controller, list, history,
                         [&](uint16_t, uint16_t, uint8_t, const uint8_t*, uint16_t) { ++reports; });
    loop.runPending();
    ASSERT_NE(binding.SaitekSwitchPanel(), nullptr);
  }
  ASSERT_EQ(controller.Count(), 1);
  EXPECT_FALSE(controller.Device(0)->IsCheckedOut());
  EXPECT_FALSE(controller.Device(0)->OnData());

  // Whoever checks the device out next gets no reader calling into the binding.
  controller.OnDeviceData = nullptr;
  THidDevice* device = nullptr;
  ASSERT_TRUE(controller.CheckOutByIndex(device, 0));
  EXPECT_EQ(device->Reader(), nullptr);
  EXPECT_EQ(reports, 0);
}

}  // namespace
}  // namespace qv
