#include "sim/TSimCon.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sim/SimConnect.h"

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

// The calls the connection makes, seen through a client library that
// records them.
class ClientCalls : public ::testing::Test {
 protected:
  ClientCalls() {
    EXPECT_TRUE(SimLib_Load(QV_RECORDING_LIBRARY)) << SimLibError();
    std::string error;
    recordedCall_ = reinterpret_cast<RecordedCall>(
        resolveLibrarySymbol(SimLibHandle(), "QvRecordedCall", error));
    clear_ = reinterpret_cast<Clear>(
        resolveLibrarySymbol(SimLibHandle(), "QvClearRecordedCalls", error));
    clear_();
  }
  ~ClientCalls() override { SimLib_Unload(); }

  // The recorded lines of one call, in order.
  std::vector<std::string> calls(const std::string& call) const {
    std::vector<std::string> lines;
    for (uint32_t i = 0; recordedCall_(i) != nullptr; ++i) {
      const std::string line = recordedCall_(i);
      if (line.rfind(call + "|", 0) == 0) {
        lines.push_back(line);
      }
    }
    return lines;
  }

  TSimCon con;

 private:
  using RecordedCall = const char* (*)(uint32_t);
  using Clear = void (*)();
  RecordedCall recordedCall_ = nullptr;
  Clear clear_ = nullptr;
};

TEST_F(ClientCalls, ConnectionDefinesTheTwentyFourDataInTheirOrderAndUnits) {
  struct Datum {
    const char* name;
    const char* units;
    int type;
  };
  const std::array<Datum, 24> golden{{
      {"Title", "(none)", 9},
      {"ELECTRICAL MASTER BATTERY", "position", 4},
      {"GENERAL ENG MASTER ALTERNATOR:1", "position", 4},
      {"GENERAL ENG MASTER ALTERNATOR:2", "position", 4},
      {"GENERAL ENG MASTER ALTERNATOR:3", "position", 4},
      {"GENERAL ENG MASTER ALTERNATOR:4", "position", 4},
      {"AVIONICS MASTER SWITCH", "position", 4},
      {"LIGHT BEACON", "position", 4},
      {"LIGHT NAV", "position", 4},
      {"LIGHT TAXI", "position", 4},
      {"GENERAL ENG FUEL PUMP SWITCH:1", "position", 4},
      {"GENERAL ENG FUEL PUMP SWITCH:2", "position", 4},
      {"GENERAL ENG FUEL PUMP SWITCH:3", "position", 4},
      {"GENERAL ENG FUEL PUMP SWITCH:4", "position", 4},
      {"RECIP ENG COWL FLAP POSITION:1", "position", 4},
      {"RECIP ENG COWL FLAP POSITION:2", "position", 4},
      {"RECIP ENG COWL FLAP POSITION:3", "position", 4},
      {"RECIP ENG COWL FLAP POSITION:4", "position", 4},
      {"NUMBER OF ENGINES", "Number", 4},
      {"LIGHT PANEL", "position", 4},
      {"GEAR CENTER POSITION", "Percent", 4},
      {"GEAR LEFT POSITION:1", "Percent", 4},
      {"GEAR RIGHT POSITION", "Percent", 4},
      {"GEAR WARNING", "Percent", 4},
  }};
  con.StartSimConnect();
  ASSERT_EQ(con.SimStatus, kStatusConnected);
  EXPECT_EQ(calls("Open"), std::vector<std::string>{"Open|Request Data|0|0|0|0"});

  std::vector<std::string> expected;
  for (const Datum& d : golden) {
    expected.push_back(std::string("AddToDataDefinition|0|") + d.name + "|" + d.units + "|" +
                       std::to_string(d.type) + "|0|4294967295");
  }
  EXPECT_EQ(calls("AddToDataDefinition"), expected);
  for (size_t k = 1; k <= 23; ++k) {
    EXPECT_EQ(con.PlaneData[k].Name, k == 21 ? "GEAR LEFT POSITION" : golden[k].name);
  }
  EXPECT_EQ(calls("SubscribeToSystemEvent"),
            std::vector<std::string>{"SubscribeToSystemEvent|0|6Hz"});
}

TEST_F(ClientCalls, OnlyTheSixHertzEventRequestsData) {
  // Event id at byte 16; the group id before it and the data after it are
  // set apart so that a read at either neighbour shows.
  Message other(4, 24);
  other.u32(16, 5);
  other.deliverTo(con);
  EXPECT_TRUE(calls("RequestDataOnSimObjectType").empty());

  Message sixHertz(4, 24);
  sixHertz.u32(12, 0xFFFFFFFF);
  sixHertz.u32(20, 7);
  sixHertz.deliverTo(con);
  EXPECT_EQ(calls("RequestDataOnSimObjectType"),
            std::vector<std::string>{"RequestDataOnSimObjectType|0|0|0|0"});
}

}  // namespace
}  // namespace qv
