#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/HistoryLog.h"
#include "engine/MappingRows.h"
#include "engine/NamedTexts.h"
#include "engine/PanelIndicators.h"
#include "engine/SimulatorSide.h"
#include "engine/SwitchEngine.h"
#include "tests/support/RecordingHistory.h"
#include "tests/support/RecordingInjector.h"

namespace qv::test {

class RecordingIndicators final : public PanelIndicators {
 public:
  void setIndicatorVisible(std::string_view indicator, bool visible) override {
    visibility[std::string(indicator)] = visible;
    ++updates;
  }
  std::map<std::string, bool> visibility;
  int updates = 0;
};

// Records what the engine asks of the simulator link.
class RecordingSimulator final : public SimulatorSide {
 public:
  [[nodiscard]] bool connected() const override { return isConnected; }
  void sendDirectEvent(int fn) override { calls.push_back("event " + std::to_string(fn)); }
  void LG_LED(int fn) override { calls.push_back("LG_LED " + std::to_string(fn)); }
  void showStatus() override { calls.emplace_back("status"); }
  void connectPhase() override { calls.emplace_back("connect"); }
  void dispatchPhase() override { calls.emplace_back("dispatch"); }
  void quitPhase() override { calls.emplace_back("quit"); }
  void gearLightRefresh() override { calls.emplace_back("refresh"); }

  bool isConnected = false;
  std::vector<std::string> calls;
};

inline KeyEvent down(uint16_t vk) {
  return KeyEvent{vk, false};
}
inline KeyEvent up(uint16_t vk) {
  return KeyEvent{vk, true};
}

// An engine over the window's default texts, rebuilt once.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    applyMappingDefaults(texts);
    engine.populatekeyarray(texts);
  }

  // Sets one keystroke row (by function id) and rebuilds the table.
  void mapKeys(int id, const std::string& modifier, const std::string& code,
               const std::string& presses = "1", const std::string& duration = "0") {
    for (const KeystrokeRow& row : kKeystrokeRows) {
      if (row.id == id) {
        texts.setText(row.modifier, modifier);
        texts.setText(row.code, code);
        texts.setText(row.presses, presses);
        texts.setText(row.duration, duration);
      }
    }
    engine.populatekeyarray(texts);
  }

  void report(uint8_t b1, uint8_t b2, uint8_t b3) {
    const std::array<uint8_t, 3> data{b1, b2, b3};
    engine.ShowRead(kPanelVendorId, kPanelProductId, 0, data.data(), 3);
  }

  void ticks(int n) {
    for (int i = 0; i < n; ++i) {
      engine.Timer1Timer();
    }
  }

  NamedTextMap texts;
  RecordingInjector injector;
  RecordingHistory history;
  RecordingIndicators indicators;
  SwitchEngine engine{injector, history, indicators};
};

}  // namespace qv::test
