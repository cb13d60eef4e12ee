#include <gtest/gtest.h>

#include "tests/engine/EngineFixture.h"

namespace qv::test {
namespace {

using ReportDecoding = EngineTest;

TEST(ByteToBits, MostSignificantBitFirst) {
  EXPECT_EQ(ByteToBits(0x00), "00000000");
  EXPECT_EQ(ByteToBits(0x8A), "10001010");
  EXPECT_EQ(ByteToBits(0x01), "00000001");
  EXPECT_EQ(ByteToBits(0xFF), "11111111");
}

TEST_F(ReportDecoding, WritesTwoHistoryLinesInUpperCaseHex) {
  report(0x00, 0x04, 0x8A);
  ASSERT_EQ(history.lines.size(), 2U);
  EXPECT_EQ(history.lines[0], "R 00  00 04 8A ");
  EXPECT_EQ(history.lines[1], "04138");
  report(0x00, 0x04, 0x8A);
  EXPECT_EQ(history.lines.size(), 4U);
}

TEST_F(ReportDecoding, ReportsOfOtherDevicesLeaveNoTrace) {
  const std::array<uint8_t, 3> data{0xFF, 0xFF, 0xFF};
  engine.ShowRead(kPanelVendorId, 0x0D68, 0, data.data(), 3);
  engine.ShowRead(0x046D, kPanelProductId, 0, data.data(), 3);
  EXPECT_TRUE(history.lines.empty());
  EXPECT_FALSE(engine.panelinit);
  EXPECT_EQ(engine.newkey1, 0);
}

TEST_F(ReportDecoding, FirstReportIsTheRestingState) {
  mapKeys(13, "N None", "66");  // switch 8 on: battery
  report(0x01, 0x00, 0x00);
  EXPECT_TRUE(engine.panelinit);
  EXPECT_EQ(engine.panelkey1, 1);
  EXPECT_TRUE(engine.switchkeys[8].keystate);
  EXPECT_TRUE(injector.batches.empty());
  // Turning the switch that was on at start off runs its off function.
  mapKeys(26, "N None", "67");
  report(0x00, 0x00, 0x00);
  ASSERT_EQ(injector.batches.size(), 2U);
  EXPECT_EQ(injector.batches[0], std::vector<KeyEvent>{down(67)});
  EXPECT_EQ(injector.batches[1], std::vector<KeyEvent>{up(67)});
}

TEST_F(ReportDecoding, EdgesStartTheirFunctionsInSwitchOrder) {
  mapKeys(9, "N None", "76");   // magneto L, switch 10 on
  mapKeys(11, "N None", "66");  // magneto both, switch 24 on
  mapKeys(20, "N None", "80");  // panel lights, switch 1 on
  report(0x00, 0x40, 0x00);     // resting: switch 10 on
  report(0x80, 0x00, 0x01);     // switch 1 on, switch 10 off (no off function), switch 24 on
  ASSERT_EQ(injector.batches.size(), 4U);
  EXPECT_EQ(injector.batches[0][0].virtualKey, 80);
  EXPECT_EQ(injector.batches[2][0].virtualKey, 66);
}

TEST_F(ReportDecoding, EverySwitchStartsItsFunctionOnEachEdge) {
  struct Switch {
    int number;
    int byte;  // data byte, counted from 1
    int bit;
    int onfn;
    int offfn;
  };
  const std::array<Switch, 24> golden{{
      {1, 1, 7, 20, 33},  {2, 1, 6, 19, 32},  {3, 1, 5, 18, 31},  {4, 1, 4, 17, 30},
      {5, 1, 3, 16, 29},  {6, 1, 2, 15, 28},  {7, 1, 1, 14, 27},  {8, 1, 0, 13, 26},
      {9, 2, 7, 10, 0},   {10, 2, 6, 9, 0},   {11, 2, 5, 8, 0},   {12, 2, 4, 25, 38},
      {13, 2, 3, 24, 37}, {14, 2, 2, 23, 36}, {15, 2, 1, 22, 35}, {16, 2, 0, 21, 34},
      {17, 3, 7, 1, 0},   {18, 3, 6, 1, 0},   {19, 3, 5, 1, 0},   {20, 3, 4, 1, 0},
      {21, 3, 3, 5, 0},   {22, 3, 2, 1, 0},   {23, 3, 1, 12, 0},  {24, 3, 0, 11, 0},
  }};
  // No function has a key, so each one shows as its direct event.
  RecordingSimulator simulator;
  simulator.isConnected = true;
  engine.attachSimulator(&simulator);
  report(0x00, 0x00, 0x00);
  for (const Switch& sw : golden) {
    std::array<uint8_t, 3> on{};
    on.at(static_cast<size_t>(sw.byte - 1)) = static_cast<uint8_t>(1U << sw.bit);
    simulator.calls.clear();
    report(on[0], on[1], on[2]);
    report(0x00, 0x00, 0x00);
    std::vector<std::string> expected{"event " + std::to_string(sw.onfn)};
    if (sw.offfn != 0) {
      expected.push_back("event " + std::to_string(sw.offfn));
    }
    EXPECT_EQ(simulator.calls, expected) << "switch " << sw.number;
  }
}

TEST_F(ReportDecoding, GearSwitchesSeventeenToTwentyStartGearUp) {
  mapKeys(1, "N None", "71");
  report(0x00, 0x00, 0x00);
  report(0x00, 0x00, 0x80);  // switch 17
  report(0x00, 0x00, 0x00);  // off: nothing
  report(0x00, 0x00, 0x04);  // switch 22
  EXPECT_EQ(injector.batches.size(), 4U);
}

TEST_F(ReportDecoding, ShortReportKeepsTheOtherBytes) {
  mapKeys(21, "N None", "66");  // switch 16 on: beacon
  report(0x00, 0x01, 0x00);
  const uint8_t one = 0x00;
  engine.ShowRead(kPanelVendorId, kPanelProductId, 0, &one, 1);
  EXPECT_EQ(engine.newkey2, 1);
  EXPECT_TRUE(injector.batches.empty());
  EXPECT_EQ(history.lines.back(), "0");
  // Bytes after the third show in the history and change nothing else.
  const std::array<uint8_t, 5> longer{0x00, 0x01, 0x00, 0xAB, 0x0C};
  engine.ShowRead(kPanelVendorId, kPanelProductId, 2, longer.data(), 5);
  EXPECT_EQ(history.lines[history.lines.size() - 2], "R 02  00 01 00 AB 0C ");
  EXPECT_TRUE(injector.batches.empty());
}

TEST_F(ReportDecoding, PanelInitIsNeverCleared) {
  report(0x00, 0x00, 0x00);
  mapKeys(13, "N None", "66");
  // A re-plugged panel's first report is compared with the states seen before.
  report(0x01, 0x00, 0x00);
  EXPECT_EQ(injector.batches.size(), 2U);
  EXPECT_EQ(engine.panelkey1, 0);
}

TEST_F(ReportDecoding, AFailingFunctionEndsTheReportAtItsSwitch) {
  // Throwing from the simulator's light step stands for any failing function.
  class ThrowingSimulator final : public SimulatorSide {
   public:
    [[nodiscard]] bool connected() const override { return false; }
    void sendDirectEvent(int) override {}
    void LG_LED(int) override { throw std::runtime_error("light step failed"); }
    void showStatus() override {}
    void connectPhase() override {}
    void dispatchPhase() override {}
    void quitPhase() override {}
    void gearLightRefresh() override {}
  } simulator;
  engine.attachSimulator(&simulator);
  texts.setText("ComboBox1", "Green");
  mapKeys(1, "N None", "71");
  mapKeys(11, "N None", "66");
  report(0x00, 0x00, 0x00);
  EXPECT_THROW(report(0x00, 0x00, 0x81), std::runtime_error);  // switches 17 and 24
  EXPECT_TRUE(engine.switchkeys[17].keystate);
  EXPECT_FALSE(engine.switchkeys[24].keystate);
  engine.attachSimulator(nullptr);
  injector.batches.clear();
  report(0x00, 0x00, 0x81);
  EXPECT_EQ(injector.batches.size(), 2U);  // switch 24's function, once
}

TEST_F(ReportDecoding, IndicatorsFollowOnlyWhileTheTestPageIsActive) {
  report(0x00, 0x00, 0x00);
  EXPECT_EQ(indicators.updates, 5);  // the first report hides the magneto marks only
  for (int i = 1; i <= 5; ++i) {
    EXPECT_FALSE(indicators.visibility.at("sspmag" + std::to_string(i)));
  }
  report(0x80, 0x00, 0x00);
  EXPECT_EQ(indicators.updates, 5);

  engine.testSaitekPanel = true;
  report(0x80, 0x00, 0x00);  // nothing changed: no update
  EXPECT_EQ(indicators.updates, 5);
  report(0x01, 0x00, 0x04);  // switch 1 off, 8 on, 22 on
  EXPECT_FALSE(indicators.visibility.at("sspbbsw2"));
  EXPECT_TRUE(indicators.visibility.at("sspbtsw1red"));
  EXPECT_FALSE(indicators.visibility.at("gearupimage"));
  report(0x01, 0x00, 0x00);
  EXPECT_TRUE(indicators.visibility.at("gearupimage"));
}

TEST_F(ReportDecoding, MagnetoMarksShowTheLatestOnPosition) {
  engine.testSaitekPanel = true;
  report(0x00, 0x20, 0x00);  // resting on "Off": mark 1 shown
  EXPECT_TRUE(indicators.visibility.at("sspmag1"));
  report(0x00, 0x40, 0x00);  // L
  EXPECT_FALSE(indicators.visibility.at("sspmag1"));
  EXPECT_TRUE(indicators.visibility.at("sspmag2"));
  report(0x00, 0x00, 0x01);  // Both
  EXPECT_FALSE(indicators.visibility.at("sspmag2"));
  EXPECT_TRUE(indicators.visibility.at("sspmag4"));
  report(0x00, 0x00, 0x02);  // Start
  EXPECT_FALSE(indicators.visibility.at("sspmag4"));
  EXPECT_TRUE(indicators.visibility.at("sspmag5"));
  EXPECT_FALSE(indicators.visibility.at("sspmag3"));
}

}  // namespace
}  // namespace qv::test
