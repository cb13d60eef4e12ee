#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ActionQueue.h"
#include "engine/KeyTable.h"
#include "engine/SwitchMap.h"

namespace qv {

class HistoryLog;
class KeyInjector;
class NamedTexts;
class PanelIndicators;
class SimulatorSide;

inline constexpr uint16_t kPanelVendorId = 0x06A3;
inline constexpr uint16_t kPanelProductId = 0x0D67;

// An 8-character text of '0' and '1', most significant bit first.
std::string ByteToBits(uint8_t value);

// The switch input engine: the switch action table, report decoding, the
// dispatcher, the action queue and the tick. Everything runs on the main
// thread.
class SwitchEngine {
 public:
  SwitchEngine(KeyInjector& injector, HistoryLog& history, PanelIndicators& indicators);

  // The simulator link; until one is attached, functions without a key emit
  // nothing and the tick's simulator phases are skipped.
  void attachSimulator(SimulatorSide* simulator) { simulator_ = simulator; }

  // Rebuilds the switch action table from the mapping controls; throws
  // ConversionError at the first box that is not a whole number.
  void populatekeyarray(const NamedTexts& texts);

  // One input report of a HID device (data bytes after the report id).
  void ShowRead(uint16_t vendorId, uint16_t productId, uint8_t ReportID, const uint8_t* Data,
                uint16_t Size);
  void Setkey(bool newkey, bool presskey, int ky, int kyval);

  void SetKeyOn(int fn);
  void AddAction(int fn, int pulses, std::string_view actionid);
  void GoFunction(int fn, std::string_view actionid);
  void sendkeys(char KS, int fn);

  // One 250 ms tick: the simulator phases, the gear-light refresh, the queue pass.
  void Timer1Timer();

  // Shutdown: releases the keys of every pending "U" row, so no key stays
  // held in the system after the program has gone.
  void releaseHeldKeys();

  KeyArray keyarray{};
  SwitchKeys switchkeys = buildSwitchKeys();
  ActionQueue vtActionList;

  int32_t newkey1 = 0;
  int32_t newkey2 = 0;
  int32_t newkey3 = 0;
  int32_t panelkey1 = 0;
  int32_t panelkey2 = 0;
  int32_t panelkey3 = 0;
  bool panelinit = false;
  bool testSaitekPanel = false;

 private:
  void gearLightSequence(int firstStep, int secondStep);
  // Releases the codes that fn's "U" row holds down, or else fn's keys.
  void release(int fn);
  void showIndicator(int ky, bool on, bool changed);

  KeyInjector& injector_;
  HistoryLog& history_;
  PanelIndicators& indicators_;
  SimulatorSide* simulator_ = nullptr;
};

}  // namespace qv
