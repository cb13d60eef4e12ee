// The gear-lever light sequences, run by the real engine's dispatcher and
// queue with the simulator link's gear lights.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "tests/support/LinkedEngine.h"

namespace qv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

class GearLightSequence : public ::testing::Test, protected test::LinkedEngine {
 protected:
  GearLightSequence() {
    keystroke(1);
    keystroke(5);
    engine.keyarray[4].value = "0";
  }

  void keystroke(int fn) {
    TKeyPressRec& rec = engine.keyarray.at(static_cast<size_t>(fn));
    rec.key1 = 71;
    rec.keys = 1;
    rec.outtype = u'K';
    rec.presses = 1;
  }
  void step(int id, const char* pattern, int delay) {
    engine.keyarray.at(static_cast<size_t>(id)).value = pattern;
    engine.keyarray.at(static_cast<size_t>(id)).pulses = delay;
  }
  // Runs `ticks` ticks; returns the light bytes sent, by tick (0 = at once).
  std::map<int, int> run(int fn, int ticks) {
    std::map<int, int> sent;
    const auto take = [&](int tickNo) {
      for (size_t i = seen; i < panel.reports.size(); ++i) {
        sent[tickNo] = panel.reports[i].at(1);
      }
      seen = panel.reports.size();
    };
    engine.SetKeyOn(fn);
    take(0);
    for (int t = 1; t <= ticks; ++t) {
      engine.Timer1Timer();
      take(t);
    }
    return sent;
  }

  size_t seen = 0;
};

TEST_F(GearLightSequence, TwoColoursThenDarkOnTheTicksOfTheirDelays) {
  step(2, "7", 8);
  step(3, "56", 4);
  EXPECT_THAT(run(1, 14), ElementsAre(Pair(0, 7), Pair(8, 56), Pair(12, 0)));
  EXPECT_THAT(view.colours, ElementsAre(0x008000U, 0x0000FFU, 0xFFFFFFU));
  ASSERT_FALSE(injector.batches.empty());
  EXPECT_EQ(injector.batches.front().front(), (KeyEvent{71, false}))
      << "the lever's keystrokes are sent";
  EXPECT_THAT(engine.vtActionList.rows(), IsEmpty());
}

TEST_F(GearLightSequence, WithoutSecondColourDarkAfterTheFirstDelayForBothLevers) {
  step(2, "7", 8);
  step(3, "0", 4);
  EXPECT_THAT(run(1, 10), ElementsAre(Pair(0, 7), Pair(8, 0)));
  step(6, "127", 8);
  step(7, "0", 4);
  EXPECT_THAT(run(5, 10), ElementsAre(Pair(0, 127), Pair(8, 0)));
}

TEST_F(GearLightSequence, NoFirstColourNoSequence) {
  step(2, "0", 8);
  step(3, "56", 4);
  EXPECT_THAT(run(1, 14), IsEmpty());
  EXPECT_THAT(view.colours, IsEmpty());
}

TEST_F(GearLightSequence, ZeroDelaysKeepTheirColour) {
  step(2, "7", 0);
  step(3, "56", 4);
  EXPECT_THAT(run(1, 14), ElementsAre(Pair(0, 7)));
  step(6, "7", 3);
  step(7, "56", 0);
  EXPECT_THAT(run(5, 14), ElementsAre(Pair(0, 7), Pair(3, 56)));
}

TEST_F(GearLightSequence, PendingClosingStepIsSharedByBothLevers) {
  step(2, "7", 8);
  step(3, "0", 0);
  step(6, "56", 8);
  step(7, "0", 0);
  std::map<int, int> sent = run(1, 2);
  EXPECT_THAT(sent, ElementsAre(Pair(0, 7)));
  // Down two ticks later: red at once, but its own closing step is not
  // queued, so the lights go dark when the first one falls due.
  sent = run(5, 12);
  EXPECT_THAT(sent, ElementsAre(Pair(0, 56), Pair(6, 0)));
}

TEST_F(GearLightSequence, LeverWithoutKeyRunsNoSequence) {
  step(2, "7", 8);
  engine.keyarray[1].key1 = 0;
  EXPECT_THAT(run(1, 10), IsEmpty());
  EXPECT_THAT(injector.batches, IsEmpty());
}

}  // namespace
}  // namespace qv
