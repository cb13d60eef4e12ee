#include "sim/TSimCon.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace qv {
namespace {

// A message of exactly `size` bytes on the heap, so that a read past its
// end is caught by the address sanitizer.
class Message {
 public:
  Message(uint32_t id, uint32_t size) : bytes_(std::make_unique<uint8_t[]>(size)), size_(size) {
    std::memset(bytes_.get(), 0, size);
    if (size >= 12) {
      u32(0, size);
      u32(8, id);
    }
  }
  void u32(uint32_t offset, uint32_t value) { std::memcpy(bytes_.get() + offset, &value, 4); }
  void f64(uint32_t offset, double value) { std::memcpy(bytes_.get() + offset, &value, 8); }
  void text(uint32_t offset, const std::string& value) {
    std::memcpy(bytes_.get() + offset, value.data(), value.size());
  }
  void deliverTo(TSimCon& con) {
    con.DispatchHandler(reinterpret_cast<SIMCONNECT_RECV*>(bytes_.get()), size_, nullptr);
  }

 private:
  std::unique_ptr<uint8_t[]> bytes_;
  uint32_t size_;
};

Message openMessage(const std::string& name, const std::vector<uint32_t>& versions) {
  Message m(2, 308);
  m.text(12, name);
  for (uint32_t i = 0; i < 8; ++i) {
    m.u32(268 + 4 * i, versions[i]);
  }
  return m;
}

Message dataMessage(uint32_t requestId, const std::string& title, double base) {
  Message m(9, 40 + 440);
  m.u32(12, requestId);
  m.text(40, title);
  for (uint32_t k = 1; k <= 23; ++k) {
    m.f64(40 + 256 + 8 * (k - 1), base + k);
  }
  return m;
}

class Dispatch : public ::testing::Test {
 protected:
  Dispatch() {
    con.SimStatus = kStatusConnected;
    con.AppVersion = "0";
  }
  TSimCon con;
};

TEST_F(Dispatch, OpenRecordsSimulatorAndInterfaceVersions) {
  openMessage("Microsoft Flight Simulator X", {10, 0, 61637, 0, 10, 1, 61259, 2}).deliverTo(con);
  EXPECT_EQ(con.AppVersion, "Microsoft Flight Simulator X 10.0.61637.0");
  EXPECT_EQ(con.SimConnectVersion, "SimConnect 10.1.61259.2");
  EXPECT_EQ(con.RxCount, 1);
}

TEST_F(Dispatch, QuitReturnsToLoaded) {
  Message(3, 12).deliverTo(con);
  EXPECT_EQ(con.SimStatus, kStatusLoaded);
}

TEST_F(Dispatch, MessagesNotHandledReportTheirIdAndChangeNothingElse) {
  Message exception(1, 24);
  exception.deliverTo(con);
  EXPECT_EQ(con.erMessage, "Unknown dwID: 1");
  Message(42, 12).deliverTo(con);
  EXPECT_EQ(con.erMessage, "Unknown dwID: 42");
  EXPECT_EQ(con.RxCount, 2);
  EXPECT_EQ(con.SimStatus, kStatusConnected);
  EXPECT_EQ(con.AppVersion, "0");
}

TEST_F(Dispatch, DataOfRequestZeroReplacesAllValuesAndTheTitle) {
  dataMessage(0, "Cessna Skyhawk", 0.5).deliverTo(con);
  for (size_t k = 1; k <= 23; ++k) {
    EXPECT_EQ(con.PlaneData[k].Value, 0.5 + static_cast<double>(k)) << "entry " << k;
  }
  EXPECT_EQ(con.PlaneData[24].Value, 0.0);
  EXPECT_EQ(con.Title, "Cessna Skyhawk");

  dataMessage(1, "Other", 100).deliverTo(con);
  EXPECT_EQ(con.PlaneData[1].Value, 1.5) << "other requests are not ours";
  EXPECT_EQ(con.Title, "Cessna Skyhawk");
  EXPECT_EQ(con.RxCount, 2);
}

TEST_F(Dispatch, TitleIsNeverReadPastItsField) {
  const std::string full(256, 'T');
  Message m = dataMessage(0, full, 0);
  m.f64(40 + 256, 1.0);  // the byte after the title is not zero
  m.deliverTo(con);
  EXPECT_EQ(con.Title, full);
  EXPECT_EQ(con.PlaneData[1].Value, 1.0);
}

TEST_F(Dispatch, ShortMessagesAreCountedAndOtherwiseIgnored) {
  Message(2, 299).deliverTo(con);  // OPEN without its last version word
  Message(9, 479).deliverTo(con);  // data one byte short
  Message(4, 19).deliverTo(con);   // EVENT without its event id
  Message(1, 11).deliverTo(con);   // not even a header
  con.DispatchHandler(nullptr, 480, nullptr);
  EXPECT_EQ(con.RxCount, 5);
  EXPECT_EQ(con.AppVersion, "0");
  EXPECT_EQ(con.SimConnectVersion, "");
  EXPECT_EQ(con.PlaneData[1].Value, 0.0);
  EXPECT_EQ(con.erMessage, "");
  EXPECT_EQ(con.SimStatus, kStatusConnected);
}

}  // namespace
}  // namespace qv
