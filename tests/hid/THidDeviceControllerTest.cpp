#include "hid/THidDeviceController.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "tests/support/CallingBackSource.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedHidPlatform.h"

namespace qv {
namespace {

using test::ScriptedDeviceSpec;

ScriptedDeviceSpec deviceWithIds(uint16_t vendor, uint16_t product) {
  ScriptedDeviceSpec traits;
  traits.ids = {vendor, product, 1};
  traits.product = u"Device " + std::u16string(1, static_cast<char16_t>(u'A' + product % 26));
  return traits;
}

class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override { create(); }

  void create() {
    controller = std::make_unique<THidDeviceController>(platform, loop, nullptr);
    controller->OnDeviceChange = [this](THidDeviceController&) { ++changes; };
    controller->OnScanError = [this](const std::string& message) { errors.push_back(message); };
  }
  void firstScan() { loop.runPending(); }
  void rescan() { controller->DeviceChangeNotification(0); }

  std::vector<uint32_t> listedIds() const {
    std::vector<uint32_t> ids;
    for (int32_t i = 0; i < controller->Count(); ++i) {
      ids.push_back(controller->Device(i)->PnPInfo().DeviceID);
    }
    return ids;
  }

  test::ScriptedHidPlatform platform;
  test::ManualEventLoop loop;
  std::unique_ptr<THidDeviceController> controller;
  int changes = 0;
  std::vector<std::string> errors;
};

TEST_F(ControllerTest, FirstScanWaitsForTheLoopAndRaisesDeviceChangeWithNoDevice) {
  // Created in SetUp before any device; the scan sees what is there when the
  // loop delivers the notification.
  platform.plugIn();
  EXPECT_EQ(controller->Count(), 0);
  EXPECT_EQ(changes, 0);
  loop.runPending();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(controller->LastNotificationParam(), THidDeviceController::kForcedScan);
  EXPECT_EQ(controller->Count(), 1);

  test::ScriptedHidPlatform empty;
  test::ManualEventLoop emptyLoop;
  THidDeviceController none(empty, emptyLoop, nullptr);
  int noneChanges = 0;
  none.OnDeviceChange = [&](THidDeviceController&) { ++noneChanges; };
  emptyLoop.runPending();
  EXPECT_EQ(noneChanges, 1);
  EXPECT_EQ(none.Enumerate(), 0);
}

TEST_F(ControllerTest, RescansRaiseDeviceChangeOnlyWhenTheSetChanged) {
  const auto first = platform.plugIn(deviceWithIds(1, 1));
  const auto second = platform.plugIn(deviceWithIds(2, 2));
  firstScan();
  rescan();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(listedIds(), (std::vector<uint32_t>{first->instanceId, second->instanceId}));

  const auto third = platform.plugIn(deviceWithIds(3, 3));
  rescan();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(listedIds(),
            (std::vector<uint32_t>{first->instanceId, second->instanceId, third->instanceId}));

  platform.unplug(first);
  rescan();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(listedIds(), (std::vector<uint32_t>{second->instanceId, third->instanceId}));
}

TEST_F(ControllerTest, ADevicePluggedBackInUnderTheSamePathIsANewRecordAppendedLast) {
  const auto panel = platform.plugIn({}, "/dev/hidraw0");
  const auto other = platform.plugIn(deviceWithIds(1, 1), "/dev/hidraw1");
  firstScan();
  platform.unplug(panel);
  const auto again = platform.plugIn({}, "/dev/hidraw0");
  rescan();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(listedIds(), (std::vector<uint32_t>{other->instanceId, again->instanceId}));
  EXPECT_NE(again->instanceId, panel->instanceId);
}

TEST_F(ControllerTest, CheckOutTakesEachRecordOnceAndOnlyAtAValidIndex) {
  platform.plugIn();
  firstScan();
  THidDevice* device = nullptr;
  EXPECT_FALSE(controller->CheckOutByIndex(device, -1));
  EXPECT_FALSE(controller->CheckOutByIndex(device, controller->Count()));
  EXPECT_EQ(device, nullptr);

  ASSERT_TRUE(controller->CheckOutByIndex(device, 0));
  EXPECT_EQ(device, controller->Device(0));
  EXPECT_TRUE(device->IsCheckedOut());

  THidDevice* again = controller->Device(0);
  EXPECT_FALSE(controller->CheckOutByIndex(again, 0));
  EXPECT_EQ(again, nullptr);
}

TEST_F(ControllerTest, ReleaseGivesBackAFreshRecordAtTheSameIndex) {
  const auto first = platform.plugIn(deviceWithIds(1, 1));
  const auto second = platform.plugIn(deviceWithIds(2, 2));
  firstScan();
  THidDevice* device = nullptr;
  ASSERT_TRUE(controller->CheckOutByIndex(device, 1));
  device->ThreadSleepTime = 7;
  controller->Release(device);

  EXPECT_EQ(controller->Count(), 2);
  THidDevice* fresh = controller->Device(1);
  EXPECT_FALSE(fresh->IsCheckedOut());
  EXPECT_EQ(fresh->PnPInfo().DeviceID, second->instanceId);
  EXPECT_EQ(fresh->ThreadSleepTime, 7);
  EXPECT_EQ(fresh->Reader(), nullptr);
  ASSERT_TRUE(controller->CheckOutByIndex(device, 1));
  EXPECT_EQ(device, fresh);

  // No fresh record can be made: the position goes.
  second->setSpec([](ScriptedDeviceSpec& s) { s.openable = false; });
  controller->Release(device);
  EXPECT_EQ(listedIds(), std::vector<uint32_t>{first->instanceId});
}

TEST_F(ControllerTest, AnUnpluggedCheckedOutRecordStaysSkippedUntilReleased) {
  const auto panel = platform.plugIn(deviceWithIds(1, 1));
  platform.plugIn(deviceWithIds(2, 2));
  firstScan();
  THidDevice* device = nullptr;
  ASSERT_TRUE(controller->CheckOutByIndex(device, 0));
  platform.unplug(panel);
  rescan();

  EXPECT_EQ(changes, 2);
  EXPECT_EQ(controller->Count(), 2);
  EXPECT_FALSE(device->IsPluggedIn());
  EXPECT_EQ(device->ProductName(), "");
  std::vector<int32_t> handed;
  controller->OnEnumerate = [&](THidDevice&, int32_t Idx) {
    handed.push_back(Idx);
    return true;
  };
  EXPECT_EQ(controller->Enumerate(), 1);
  EXPECT_EQ(handed, std::vector<int32_t>{1});

  controller->Release(device);
  EXPECT_EQ(controller->Count(), 1);
}

TEST_F(ControllerTest, EnumerateClosesTheHandlesOfRecordsLeftAvailableAndStopsOnFalse) {
  const auto first = platform.plugIn(deviceWithIds(1, 1));
  const auto second = platform.plugIn(deviceWithIds(2, 2));
  platform.plugIn(deviceWithIds(3, 3));
  firstScan();
  int calls = 0;
  controller->OnEnumerate = [&](THidDevice& device, int32_t Idx) {
    ++calls;
    EXPECT_TRUE(device.SetFeature(std::vector<uint8_t>{0, 1}.data(), 2));  // opens the handle
    if (Idx == 0) {
      THidDevice* held = nullptr;
      EXPECT_TRUE(controller->CheckOutByIndex(held, Idx));
    }
    return Idx < 1;
  };
  EXPECT_EQ(controller->Enumerate(), 2);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(first->openHandles(), 1);
  EXPECT_EQ(second->openHandles(), 0);
  EXPECT_FALSE(controller->Device(1)->SetFeature(std::vector<uint8_t>{0, 1}.data(), 2));
}

TEST_F(ControllerTest, AQueryOnlyDeviceIsListedButNeverReadNorWritten) {
  ScriptedDeviceSpec traits;
  traits.readWrite = false;
  const auto device = platform.plugIn(traits);
  controller->OnDeviceData = [](THidDevice&, uint8_t, const uint8_t*, uint16_t) {};
  firstScan();
  THidDevice* record = nullptr;
  ASSERT_TRUE(controller->CheckOutByIndex(record, 0));
  EXPECT_FALSE(record->HasReadWriteAccess());
  EXPECT_EQ(record->Attributes().VendorID, 0x06A3);
  EXPECT_EQ(record->ProductName(), "Saitek Pro Flight Switch Panel");
  EXPECT_EQ(record->Reader(), nullptr);
  uint8_t report[4] = {0, 1, 2, 3};
  uint32_t written = 99;
  EXPECT_FALSE(record->SetFeature(report, 3));
  EXPECT_FALSE(record->GetInputReport(report, 4));
  EXPECT_FALSE(record->WriteFile(report, 4, written));
  EXPECT_EQ(written, 0U);
  EXPECT_TRUE(device->features().empty());
  EXPECT_EQ(device->readHandleOpens(), 0);
}

TEST_F(ControllerTest, ARecordThatCannotBeMadeIsSkippedAndNotedOncePerAppearance) {
  std::vector<std::string> notes;
  controller->OnDeviceSkipped = [&](const std::string& note) { notes.push_back(note); };
  ScriptedDeviceSpec closed;
  closed.openable = false;
  ScriptedDeviceSpec anonymous;
  anonymous.identifiable = false;
  const auto broken = platform.plugIn(closed);
  const auto unknown = platform.plugIn(anonymous);
  const auto kept = platform.plugIn(deviceWithIds(1, 1));
  firstScan();
  rescan();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(notes, (std::vector<std::string>{
                       "DEVICE SKIPPED: Device cannot be opened: " + broken->path,
                       "DEVICE SKIPPED: Device cannot be identified: " + unknown->path}));
  EXPECT_EQ(listedIds(), std::vector<uint32_t>{kept->instanceId});

  platform.unplug(broken);  // gone and back: a new appearance, noted again
  rescan();
  platform.plugIn(closed);
  rescan();
  EXPECT_EQ(notes.size(), 3U);
  EXPECT_EQ(changes, 1);
}

TEST_F(ControllerTest, NotificationsDuringARescanOrItsErrorReportRunOneRescanAfterIt) {
  int depth = 0;
  controller->OnDeviceChange = [&](THidDeviceController& sender) {
    EXPECT_EQ(++depth, 1) << "a rescan ran inside another";
    platform.plugIn();
    sender.DeviceChangeNotification(0);
    sender.DeviceChangeNotification(0);
    --depth;
    if (++changes == 2) {
      throw std::runtime_error("handler failed");
    }
  };
  controller->OnScanError = [&](const std::string& message) {
    errors.push_back(message);
    controller->OnDeviceChange = nullptr;
    platform.plugIn();  // while the error box is open
    controller->DeviceChangeNotification(0);
  };
  firstScan();
  EXPECT_EQ(errors, std::vector<std::string>{"handler failed"});
  EXPECT_EQ(controller->Count(), 3);
}

TEST_F(ControllerTest, WithoutTheHidServicesNothingIsEverScanned) {
  test::ScriptedHidPlatform missing;
  missing.isAvailable = false;
  missing.plugIn();
  test::ManualEventLoop quietLoop;
  THidDeviceController idle(missing, quietLoop, nullptr);
  int idleChanges = 0;
  idle.OnDeviceChange = [&](THidDeviceController&) { ++idleChanges; };
  EXPECT_EQ(quietLoop.runPending(), 0);
  EXPECT_EQ(idle.Enumerate(), 0);
  EXPECT_EQ(idleChanges, 0);
}

TEST_F(ControllerTest, ASourceRescansOnlyWhileListenedTo) {
  test::CallingBackSource source;
  {
    THidDeviceController listening(platform, loop, &source);
    int seen = 0;
    listening.OnDeviceChange = [&](THidDeviceController&) { ++seen; };
    loop.runPending();
    EXPECT_FALSE(source.fire());

    listening.ListenForDeviceChanges(true);
    platform.plugIn();
    EXPECT_TRUE(source.fire());
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(listening.Count(), 1);

    listening.ListenForDeviceChanges(false);
    EXPECT_FALSE(source.listenedTo());
    listening.ListenForDeviceChanges(true);
  }
  // A source that outlives its controller must not call into it.
  EXPECT_FALSE(source.listenedTo());
}

TEST_F(ControllerTest, TheFirstNotificationOutlivingItsControllerDoesNothing) {
  controller.reset();
  EXPECT_EQ(loop.runPending(), 1);
}

}  // namespace
}  // namespace qv
