#include <gtest/gtest.h>

#include "tests/engine/EngineFixture.h"

namespace qv::test {
namespace {

using Dispatch = EngineTest;

using Batch = std::vector<KeyEvent>;

TEST_F(Dispatch, PressBatchesModifiersFirstInTheSameOrderBothWays) {
  mapKeys(13, "CS Control Shift", "71");
  engine.SetKeyOn(13);
  ASSERT_EQ(injector.batches.size(), 2U);
  EXPECT_EQ(injector.batches[0], (Batch{down(17), down(16), down(71)}));
  EXPECT_EQ(injector.batches[1], (Batch{up(17), up(16), up(71)}));
}

TEST_F(Dispatch, ThreePressesSpreadOverTheNextTwoTicks) {
  mapKeys(14, "N None", "65", "3");
  engine.SetKeyOn(14);
  EXPECT_EQ(injector.batches.size(), 2U);
  ASSERT_EQ(engine.vtActionList.rows().size(), 1U);
  EXPECT_EQ(engine.vtActionList.rows()[0], (TActionRow{14, 2, "P"}));
  ticks(1);
  EXPECT_EQ(injector.batches.size(), 4U);
  ticks(1);
  EXPECT_EQ(injector.batches.size(), 6U);
  EXPECT_TRUE(engine.vtActionList.rows().empty());
  ticks(3);
  EXPECT_EQ(injector.batches.size(), 6U);
}

TEST_F(Dispatch, HoldIsReleasedOnTheFourthTick) {
  mapKeys(15, "C Control", "66", "1", "4");
  engine.SetKeyOn(15);
  ASSERT_EQ(injector.batches.size(), 1U);
  EXPECT_EQ(injector.batches[0], (Batch{down(17), down(66)}));
  ticks(3);
  EXPECT_EQ(injector.batches.size(), 1U);
  ticks(1);
  ASSERT_EQ(injector.batches.size(), 2U);
  EXPECT_EQ(injector.batches[1], (Batch{up(17), up(66)}));
  EXPECT_TRUE(engine.vtActionList.rows().empty());
}

TEST_F(Dispatch, PressesWinOverTheDuration) {
  mapKeys(16, "N None", "70", "2", "9");
  engine.SetKeyOn(16);
  ticks(1);
  EXPECT_EQ(injector.batches.size(), 4U);
  EXPECT_TRUE(engine.vtActionList.rows().empty());
}

TEST_F(Dispatch, RetriggerWhileQueuedRunsTheImmediatePartOnly) {
  mapKeys(15, "N None", "66", "1", "4");
  engine.SetKeyOn(15);
  ticks(2);
  engine.SetKeyOn(15);  // another key-down, no second row, count not reset
  EXPECT_EQ(injector.batches.size(), 2U);
  ASSERT_EQ(engine.vtActionList.rows().size(), 1U);
  EXPECT_EQ(engine.vtActionList.rows()[0].pulses, 2);
  ticks(2);
  EXPECT_EQ(injector.batches.size(), 3U);
  EXPECT_EQ(injector.batches[2], (Batch{up(66)}));
  ticks(4);
  EXPECT_EQ(injector.batches.size(), 3U);
}

TEST_F(Dispatch, TwoQueuedFunctionsAreEachServedEveryTick) {
  mapKeys(14, "N None", "65", "3");
  mapKeys(15, "N None", "66", "1", "2");
  engine.SetKeyOn(14);
  engine.SetKeyOn(15);
  ticks(1);
  ASSERT_EQ(injector.batches.size(), 5U);
  EXPECT_EQ(injector.batches[3][0], down(65));
  ticks(1);
  ASSERT_EQ(injector.batches.size(), 8U);
  EXPECT_EQ(injector.batches[7], (Batch{up(66)}));
  EXPECT_TRUE(engine.vtActionList.rows().empty());
}

TEST_F(Dispatch, RowWithNoCountIsNeverServedAndBlocksItsFunction) {
  engine.AddAction(20, 0, "U");
  mapKeys(20, "N None", "80", "1", "3");
  ticks(5);
  EXPECT_TRUE(injector.batches.empty());
  engine.SetKeyOn(20);  // key-down, but no row of its own
  ticks(5);
  EXPECT_EQ(injector.batches.size(), 1U);
  ASSERT_EQ(engine.vtActionList.rows().size(), 1U);
  EXPECT_EQ(engine.vtActionList.rows()[0].pulses, 0);
}

TEST_F(Dispatch, ReleaseSendsTheCodesThatWentDownThoughTheRecordWasRebuilt) {
  mapKeys(15, "C Control", "66", "1", "2");
  engine.SetKeyOn(15);
  mapKeys(15, "S Shift", "67", "1", "2");
  ticks(2);
  ASSERT_EQ(injector.batches.size(), 2U);
  EXPECT_EQ(injector.batches[1], (Batch{up(17), up(66)}));

  // The same at shutdown.
  engine.SetKeyOn(15);
  mapKeys(15, "N None", "68", "1", "2");
  engine.releaseHeldKeys();
  ASSERT_EQ(injector.batches.size(), 4U);
  EXPECT_EQ(injector.batches[3], (Batch{up(16), up(67)}));
}

TEST_F(Dispatch, NoKeyMeansDirectEventOnlyWhileConnected) {
  RecordingSimulator simulator;
  engine.attachSimulator(&simulator);
  engine.SetKeyOn(24);
  EXPECT_TRUE(simulator.calls.empty());
  simulator.isConnected = true;
  engine.SetKeyOn(24);
  EXPECT_EQ(simulator.calls, std::vector<std::string>{"event 24"});
  EXPECT_TRUE(injector.batches.empty());
  EXPECT_TRUE(engine.vtActionList.rows().empty());
  // Control with code 0 is a keystroke function, never a direct event.
  mapKeys(24, "C Control", "0");
  engine.SetKeyOn(24);
  EXPECT_EQ(simulator.calls.size(), 1U);
  EXPECT_EQ(injector.batches.size(), 2U);
}

TEST_F(Dispatch, UnbuiltTableSendsDirectEventsButNoKeys) {
  RecordingInjector quiet;
  RecordingSimulator simulator;
  simulator.isConnected = true;
  SwitchEngine unbuilt{quiet, history, indicators};
  unbuilt.attachSimulator(&simulator);
  unbuilt.SetKeyOn(1);
  unbuilt.SetKeyOn(13);
  EXPECT_TRUE(quiet.batches.empty());
  EXPECT_EQ(simulator.calls, (std::vector<std::string>{"event 1", "event 13"}));
}

TEST_F(Dispatch, TickRunsItsPhasesInOrderBeforeTheQueue) {
  RecordingSimulator simulator;
  engine.attachSimulator(&simulator);
  texts.setText("ComboBox1", "Green");
  texts.setText("Edit36", "1");
  mapKeys(1, "N None", "71");
  engine.SetKeyOn(1);
  simulator.calls.clear();
  ticks(1);
  EXPECT_EQ(simulator.calls, (std::vector<std::string>{"status", "connect", "dispatch", "quit",
                                                       "refresh", "LG_LED 4"}));
}

class GearLightSequence : public EngineTest {
 protected:
  GearLightSequence() { engine.attachSimulator(&simulator); }

  void steps(const char* first, const char* firstDelay, const char* second,
             const char* secondDelay) {
    texts.setText("ComboBox1", first);
    texts.setText("Edit36", firstDelay);
    texts.setText("ComboBox3", second);
    texts.setText("Edit2", secondDelay);
    texts.setText("ComboBox4", first);
    texts.setText("Edit12", firstDelay);
    texts.setText("ComboBox5", second);
    texts.setText("Edit13", secondDelay);
    mapKeys(1, "N None", "71");
    mapKeys(5, "N None", "72");
  }

  // The tick numbers (1-based) at which each light step ran.
  std::vector<std::string> lightsOverTicks(int n) {
    std::vector<std::string> seen;
    for (int t = 1; t <= n; ++t) {
      simulator.calls.clear();
      ticks(1);
      for (const std::string& c : simulator.calls) {
        if (c.rfind("LG_LED", 0) == 0) {
          seen.push_back(std::to_string(t) + ": " + c);
        }
      }
    }
    return seen;
  }

  RecordingSimulator simulator;
};

TEST_F(GearLightSequence, TwoColoursThenDark) {
  steps("Green", "8", "Red", "4");
  engine.SetKeyOn(1);
  ASSERT_EQ(injector.batches.size(), 2U);  // keys first, then the first colour
  EXPECT_EQ(simulator.calls.back(), "LG_LED 2");
  EXPECT_EQ(lightsOverTicks(14), (std::vector<std::string>{"8: LG_LED 3", "12: LG_LED 4"}));
}

TEST_F(GearLightSequence, NoSecondColourGoesDarkAfterTheFirstDelay) {
  steps("Green", "8", "None", "4");
  engine.SetKeyOn(5);
  EXPECT_EQ(simulator.calls.back(), "LG_LED 6");
  EXPECT_EQ(lightsOverTicks(10), std::vector<std::string>{"8: LG_LED 4"});
}

TEST_F(GearLightSequence, FirstStepNoneRunsNothing) {
  steps("None", "8", "Red", "4");
  engine.SetKeyOn(1);
  EXPECT_TRUE(simulator.calls.empty());
  EXPECT_TRUE(engine.vtActionList.rows().empty());
}

TEST_F(GearLightSequence, ZeroDelaysKeepTheirColour) {
  steps("Amber", "0", "Red", "4");
  engine.SetKeyOn(1);
  EXPECT_TRUE(engine.vtActionList.rows().empty());
  steps("Amber", "3", "Red", "0");
  engine.SetKeyOn(1);
  EXPECT_EQ(engine.vtActionList.rows(), (std::vector<TActionRow>{{3, 3, "G"}}));
}

TEST_F(GearLightSequence, CloseDelayOfExtremeProfileDelaysSaturates) {
  steps("Green", "2147483647", "Red", "5");
  engine.SetKeyOn(1);
  EXPECT_EQ(engine.vtActionList.rows(),
            (std::vector<TActionRow>{{3, INT32_MAX, "G"}, {4, INT32_MAX, "G"}}));
  engine.vtActionList.removeRows("G");
  steps("Green", "-2147483648", "Red", "-5");
  engine.SetKeyOn(5);
  EXPECT_EQ(engine.vtActionList.rows(),
            (std::vector<TActionRow>{{7, INT32_MIN, "G"}, {4, INT32_MIN, "G"}}));
}

TEST_F(GearLightSequence, PendingCloseIsShared) {
  steps("Green", "8", "None", "0");
  engine.SetKeyOn(1);
  ticks(2);
  engine.SetKeyOn(5);
  EXPECT_EQ(engine.vtActionList.rows(), (std::vector<TActionRow>{{4, 6, "G"}}));
}

TEST_F(GearLightSequence, DirectGearEventsRunNoSequence) {
  steps("Green", "8", "Red", "4");
  mapKeys(1, "N None", "0");
  simulator.isConnected = true;
  engine.SetKeyOn(1);
  EXPECT_EQ(simulator.calls, std::vector<std::string>{"event 1"});
  EXPECT_TRUE(engine.vtActionList.rows().empty());
}

TEST_F(Dispatch, ShutdownReleasesHeldKeysOnce) {
  mapKeys(15, "C Control", "66", "1", "9");
  mapKeys(14, "N None", "65", "3");
  engine.SetKeyOn(15);
  engine.SetKeyOn(14);
  injector.batches.clear();
  engine.releaseHeldKeys();
  ASSERT_EQ(injector.batches.size(), 1U);
  EXPECT_EQ(injector.batches[0], (Batch{up(17), up(66)}));
  EXPECT_EQ(engine.vtActionList.rows(), (std::vector<TActionRow>{{14, 2, "P"}}));
  ticks(12);
  EXPECT_EQ(injector.batches.size(), 5U);  // the two presses still due, no second release
}

TEST(ActionQueue, ObserverSeesEveryChange) {
  ActionQueue queue;
  int changes = 0;
  queue.setChangeObserver([&changes] { ++changes; });
  queue.AddAction(3, 1, "G");
  queue.AddAction(3, 5, "P");
  EXPECT_EQ(changes, 1);
  std::vector<std::string> steps;
  queue.pass([&steps](int32_t fn, std::string_view a) {
    steps.push_back(std::to_string(fn) + std::string(a));
  });
  EXPECT_EQ(steps, std::vector<std::string>{"3G"});
  EXPECT_EQ(changes, 2);
  queue.pass([](int32_t, std::string_view) {});
  EXPECT_EQ(changes, 2);
}

TEST(ActionQueue, RemovingARowDoesNotSkipTheNext) {
  ActionQueue queue;
  queue.AddAction(1, 1, "U");
  queue.AddAction(2, 1, "U");
  queue.AddAction(3, 2, "P");
  std::vector<int32_t> served;
  queue.pass([&served](int32_t fn, std::string_view) { served.push_back(fn); });
  EXPECT_EQ(served, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(queue.rows(), (std::vector<TActionRow>{{3, 1, "P"}}));
}

}  // namespace
}  // namespace qv::test
