#include "sim/PlaneEvents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qv {
namespace {

using Sent = std::vector<std::pair<uint32_t, uint32_t>>;

class DirectEvents : public ::testing::Test {
 protected:
  DirectEvents() { fillPlaneEv(PlaneEv); }

  Sent send(int fn) {
    Sent sent;
    sendDirectEvents(PlaneEv, PlaneData, fn,
                     [&sent](uint32_t id, uint32_t data) { sent.emplace_back(id, data); });
    return sent;
  }

  PlaneEventTable PlaneEv{};
  PlaneDataTable PlaneData{};
};

TEST_F(DirectEvents, ToggleSentOnlyWhenTheRoundedStateDiffersHalvesToEven) {
  struct Case {
    double battery;
    bool onSends;   // row 13 wants 1
    bool offSends;  // row 26 wants 0
  };
  for (const Case c : {Case{0.0, true, false}, Case{0.4, true, false}, Case{0.5, true, false},
                       Case{0.6, false, true}, Case{1.0, false, true}, Case{1.5, true, true},
                       Case{2.5, true, true}, Case{-0.5, true, false}}) {
    PlaneData[1].Value = c.battery;
    EXPECT_EQ(send(13), (c.onSends ? Sent{{13, 0}} : Sent{})) << "battery " << c.battery;
    PlaneData[1].Value = c.battery;
    EXPECT_EQ(send(26), (c.offSends ? Sent{{26, 0}} : Sent{})) << "battery " << c.battery;
  }
}

TEST_F(DirectEvents, SentToggleCountsAsDoneUntilFreshDataArrive) {
  // On and off again before the next data message: both toggles go out.
  EXPECT_EQ(send(13), (Sent{{13, 0}}));
  EXPECT_EQ(send(26), (Sent{{26, 0}}));
  EXPECT_EQ(send(26), Sent{});
  EXPECT_EQ(PlaneData[1].Value, 0.0);
  EXPECT_EQ(send(24), (Sent{{24, 0}}));
  EXPECT_EQ(PlaneData[9].Value, 1.0);
  // Data that disagree decide again.
  PlaneData[1].Value = 1.0;
  EXPECT_EQ(send(26), (Sent{{26, 0}}));
}

TEST_F(DirectEvents, EachToggleComparesItsOwnVariable) {
  PlaneData[9].Value = 1.0;  // taxi lights on
  EXPECT_EQ(send(24), Sent{});
  EXPECT_EQ(send(37), (Sent{{37, 0}}));
  PlaneData[9].Value = 0.0;
  EXPECT_EQ(send(24), (Sent{{24, 0}}));

  PlaneData[2].Value = 1.0;  // alternator 1, but the fuel pump is still off
  EXPECT_EQ(send(14), Sent{});
  EXPECT_EQ(send(16), (Sent{{16, 0}}));
  PlaneData[7].Value = 1.0;
  EXPECT_EQ(send(21), Sent{});
  EXPECT_EQ(send(22), (Sent{{22, 0}}));
}

TEST_F(DirectEvents, SettingRowsAlwaysSendTheirValue) {
  EXPECT_EQ(send(1), (Sent{{1, 0}}));
  EXPECT_EQ(send(5), (Sent{{5, 0}}));
  EXPECT_EQ(send(12), (Sent{{12, 1}}));
  EXPECT_EQ(send(15), (Sent{{15, 1}}));
  EXPECT_EQ(send(28), (Sent{{28, 0}}));
  EXPECT_EQ(send(20), (Sent{{20, 1}}));
  EXPECT_EQ(send(38), (Sent{{38, 0}}));
  EXPECT_EQ(send(15), (Sent{{15, 1}})) << "a setting is sent again, whatever the state";
}

TEST_F(DirectEvents, CowlFlapsAreSentOncePerEngineAtMostFour) {
  const Sent open4{{19, 0}, {39, 0}, {41, 0}, {43, 0}};
  const Sent close4{{32, 16383}, {40, 16383}, {42, 16383}, {44, 16383}};
  struct Case {
    double engines;
    size_t count;
  };
  for (const Case c :
       {Case{0, 4}, Case{1, 1}, Case{2, 2}, Case{2.9, 2}, Case{3, 3}, Case{4, 4}, Case{6, 4}}) {
    PlaneData[kNumberOfEnginesEntry].Value = c.engines;
    EXPECT_EQ(send(19), Sent(open4.begin(), open4.begin() + static_cast<long>(c.count)))
        << c.engines << " engines";
    EXPECT_EQ(send(32), Sent(close4.begin(), close4.begin() + static_cast<long>(c.count)))
        << c.engines << " engines";
  }
}

TEST(PlaneEvTable, MagnetoRowsFollowTheFunctionIdNotItsName) {
  PlaneEventTable PlaneEv{};
  fillPlaneEv(PlaneEv);
  EXPECT_EQ(PlaneEv[9].EvName, "MAGNETO_RIGHT");
  EXPECT_EQ(PlaneEv[10].EvName, "MAGNETO_LEFT");
  int mapped = 0;
  for (const TPlaneEvent& ev : PlaneEv) {
    mapped += ev.EvName.size() > 2 ? 1 : 0;
  }
  EXPECT_EQ(mapped, 39);  // rows 1, 5 and 8 to 44
  EXPECT_TRUE(PlaneEv[2].EvName.empty());
  EXPECT_TRUE(PlaneEv[45].EvName.empty());
}

}  // namespace
}  // namespace qv
