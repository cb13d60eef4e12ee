#include "hid/THidDeviceReadThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <vector>

#include "tests/support/HidTestSupport.h"

namespace qv {
namespace {

using namespace std::chrono_literals;

struct Received {
  uint8_t reportId;
  std::vector<uint8_t> data;
  bool operator==(const Received&) const = default;
};

// Before the controller's base: its readers may still hand over while it stops.
struct ReaderRecords {
  std::vector<Received> received;
  std::vector<uint32_t> errors;
};

class ReaderTest : protected ReaderRecords, public test::ScriptedControllerTest {
 protected:
  void SetUp() override {
    controller.DevThreadSleepTime = 10;
    controller.OnDeviceData = [this](THidDevice&, uint8_t ReportID, const uint8_t* Data,
                                     uint16_t Size) {
      received.push_back({ReportID, {Data, Data + Size}});
    };
    controller.OnDeviceDataError = [this](THidDevice&, uint32_t Error) { errors.push_back(Error); };
  }
};

TEST_F(ReaderTest, EachReportArrivesWithItsIdAndTheBytesAfterIt) {
  const THidDevice& record = checkedOut();
  ASSERT_NE(record.Reader(), nullptr);
  device->sendInput({0, 0x00, 0x04, 0x8A});
  device->sendInput({0, 0x01});
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return received.size() == 2; }));
  EXPECT_EQ(received[0], (Received{0, {0x00, 0x04, 0x8A}}));
  EXPECT_EQ(received[1], (Received{0, {0x01}}));
}

TEST_F(ReaderTest, AReportIsHandedOverWithoutWaitingOutTheSleepTime) {
  controller.DevThreadSleepTime = 5000;
  checkedOut();
  device->sendInput({0, 1, 2, 3});
  EXPECT_TRUE(test::pumpUntil(
      loop, [&] { return received.size() == 1; }, 2s));
  // Ends the reader's wait for the next report, so the test need not wait it out.
  platform.unplug(device);
}

TEST_F(ReaderTest, AReadThatCannotStartIsReportedAndRetried) {
  checkedOut();
  device->failReads(5);
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return errors.size() >= 2; }));
  EXPECT_EQ(errors[0], 5U);
  device->failReads(0);
  device->sendInput({0, 7, 7, 7});
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return !received.empty(); }));
}

TEST_F(ReaderTest, AReadHandleThatCannotBeOpenedIsReportedWithItsError) {
  test::ScriptedDeviceSpec traits;
  device = platform.plugIn(traits);
  device->failReadHandleOpens(13);
  controller.DeviceChangeNotification(0);
  THidDevice* record = nullptr;
  ASSERT_TRUE(controller.CheckOutByIndex(record, 0));
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return !errors.empty(); }));
  EXPECT_EQ(errors[0], 13U);
}

TEST_F(ReaderTest, AnUnpluggedRecordsReaderKeepsFailingOnItsClosedHandle) {
  const THidDevice& record = checkedOut();
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return device->openReadHandles() == 1; }));
  platform.unplug(device);
  controller.DeviceChangeNotification(0);
  ASSERT_TRUE(test::pumpUntil(loop, [&] {
    return errors.size() >= 2 && errors.back() == test::ScriptedHidPlatform::kClosedHandleError;
  }));
  EXPECT_EQ(device->openReadHandles(), 0);
  EXPECT_FALSE(record.Reader()->Finished());
}

// Where no hot-plug notification arrives, the record stays checked out and
// its reader keeps trying the node, once per ThreadSleepTime. Linux hands the
// next device the lowest free node, commonly the one the panel had.
TEST_F(ReaderTest, AVanishedDevicesNodeIsTriedQuietlyButAnotherDeviceThereIsNeverRead) {
  controller.DevThreadSleepTime = 50;
  checkedOut();
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return device->openReadHandles() == 1; }));
  platform.unplug(device);
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return device->openReadHandles() == 0; }));
  test::ScriptedDeviceSpec mouse;
  mouse.ids = {0x046D, 0xC077, 0x0100};
  const auto other = platform.plugIn(mouse, device->path);
  other->sendInput({0, 4, 5, 6});

  const int attemptsBefore = platform.inputOpenAttempts();
  test::pumpFor(loop, 300ms);
  const int attempts = platform.inputOpenAttempts() - attemptsBefore;
  EXPECT_GE(attempts, 2);
  EXPECT_LE(attempts, 12);
  EXPECT_EQ(other->readHandleOpens(), 0);
  EXPECT_TRUE(received.empty());
  EXPECT_EQ(errors, std::vector<uint32_t>{test::ScriptedDevice::kGoneError});
}

TEST_F(ReaderTest, AHandlerThatThrowsEndsTheReaderForGood) {
  controller.OnDeviceData = [this](THidDevice&, uint8_t, const uint8_t*, uint16_t) {
    received.push_back({});
    throw std::runtime_error("switch function failed");
  };
  THidDevice& record = checkedOut();
  device->sendInput({0, 1, 2, 3});
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return record.Reader()->Finished(); }));
  device->sendInput({0, 1, 2, 3});
  test::pumpFor(loop, 50ms);
  EXPECT_EQ(received.size(), 1U);

  // Checked out anew after a release, the device is read again.
  controller.Release(&record);
  THidDevice* again = nullptr;
  ASSERT_TRUE(controller.CheckOutByIndex(again, 0));
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return received.size() == 2; }));
}

TEST_F(ReaderTest, AnErrorHandlerThatThrowsAlsoEndsTheReader) {
  controller.OnDeviceDataError = [](THidDevice&, uint32_t) { throw std::runtime_error("no log"); };
  THidDevice& record = checkedOut();
  device->failReads(5);
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return record.Reader()->Finished(); }));
}

TEST_F(ReaderTest, AReportHandedOverWhileStoppingIsStillDelivered) {
  std::atomic<bool> completed = false;
  THidDevice& record = checkedOut();
  device->onReportCompleted([&] { completed = true; });
  device->sendInput({0, 9, 9, 9});
  while (!completed) {
    std::this_thread::yield();
  }
  // The reader is now blocked in its hand-off; the loop never runs it.
  controller.Release(&record);
  EXPECT_EQ(received, std::vector<Received>{(Received{0, {9, 9, 9}})});
}

TEST_F(ReaderTest, NoReaderWithoutADataHandlerOrInputReports) {
  controller.OnDeviceData = nullptr;
  EXPECT_EQ(checkedOut().Reader(), nullptr);
  controller.OnDeviceData = [](THidDevice&, uint8_t, const uint8_t*, uint16_t) {};
  test::ScriptedDeviceSpec outputOnly;
  outputOnly.lengths = {0, 8, 0};
  EXPECT_EQ(checkedOut(outputOnly).Reader(), nullptr);
}

TEST_F(ReaderTest, ClearingTheDataHandlerStopsTheReader) {
  THidDevice& record = checkedOut();
  ASSERT_TRUE(test::pumpUntil(loop, [&] { return device->openReadHandles() == 1; }));
  record.SetOnData(nullptr);
  EXPECT_EQ(record.Reader(), nullptr);
  EXPECT_EQ(device->openReadHandles(), 0);
}

}  // namespace
}  // namespace qv
