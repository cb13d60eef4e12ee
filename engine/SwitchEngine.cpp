#include "engine/SwitchEngine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "engine/HistoryLog.h"
#include "engine/PanelIndicators.h"
#include "engine/SendKeys.h"
#include "engine/SimulatorSide.h"

namespace qv {

namespace {

constexpr std::array<std::string_view, 5> kMagnetoMarks{"sspmag1", "sspmag2", "sspmag3", "sspmag4",
                                                        "sspmag5"};

// The Test-page indicator of each switch (index = switch number) and whether
// it only ever shows (the magneto marks) rather than follows the switch.
struct Indicator {
  std::string_view name;
  bool showOnly;
};
constexpr std::array<Indicator, kSwitchCount + 1> kIndicators{{
    {"", false},
    {"sspbbsw2", false},
    {"sspbbsw1", false},
    {"sspbtsw4blk", false},
    {"sspbtsw3blk", false},
    {"sspbtsw2blk", false},
    {"sspbtsw1blk", false},
    {"sspbtsw2red", false},
    {"sspbtsw1red", false},
    {"sspmag3", true},
    {"sspmag2", true},
    {"sspmag1", true},
    {"sspbbsw7", false},
    {"sspbbsw6", false},
    {"sspbbsw5", false},
    {"sspbbsw4", false},
    {"sspbbsw3", false},
    {"", false},
    {"", false},
    {"", false},
    {"", false},
    {"", false},
    {"gearupimage", false},
    {"sspmag5", true},
    {"sspmag4", true},
}};

constexpr int kGearLeverUpSwitch = 22;

bool isMagnetoSwitch(int ky) {
  return ky == 9 || ky == 10 || ky == 11 || ky == 23 || ky == 24;
}

std::string hexByte(const char* format, unsigned value) {
  std::array<char, 8> buffer{};
  std::snprintf(buffer.data(), buffer.size(), format, value);
  return buffer.data();
}

// Delays in ticks come from a profile as any 32-bit values; their sum
// saturates rather than overflowing.
int32_t addDelays(int32_t first, int32_t second) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{first} + second, INT32_MIN, INT32_MAX));
}

}  // namespace

std::string ByteToBits(uint8_t value) {
  std::string bits(8, '0');
  for (int i = 0; i < 8; ++i) {
    if ((value >> (7 - i)) & 1U) {
      bits[static_cast<size_t>(i)] = '1';
    }
  }
  return bits;
}

SwitchEngine::SwitchEngine(KeyInjector& injector, HistoryLog& history, PanelIndicators& indicators)
    : injector_(injector), history_(history), indicators_(indicators) {}

void SwitchEngine::populatekeyarray(const NamedTexts& texts) {
  qv::populatekeyarray(keyarray, texts);
}

void SwitchEngine::ShowRead(uint16_t vendorId, uint16_t productId, uint8_t ReportID,
                            const uint8_t* Data, uint16_t Size) {
  if (vendorId != kPanelVendorId || productId != kPanelProductId) {
    return;
  }
  std::string hexLine = hexByte("R %.2X  ", ReportID);
  std::string decimalLine;
  std::array<int32_t*, 3> latest{&newkey1, &newkey2, &newkey3};
  for (uint16_t i = 0; i < Size; ++i) {
    const uint8_t b = Data[i];
    if (i < latest.size()) {
      *latest.at(i) = b;
    }
    hexLine += hexByte("%.2X ", b);
    decimalLine += std::to_string(b);
  }
  history_.appendLine(hexLine);
  history_.appendLine(decimalLine);

  const bool first = !panelinit;
  if (first) {
    panelkey1 = newkey1;
    panelkey2 = newkey2;
    panelkey3 = newkey3;
    for (const std::string_view mark : kMagnetoMarks) {
      indicators_.setIndicatorVisible(mark, false);
    }
  }
  const std::array<int32_t, 3> bytes = first
                                           ? std::array<int32_t, 3>{panelkey1, panelkey2, panelkey3}
                                           : std::array<int32_t, 3>{newkey1, newkey2, newkey3};
  for (size_t byteNo = 0; byteNo < bytes.size(); ++byteNo) {
    const std::string bits = ByteToBits(static_cast<uint8_t>(bytes.at(byteNo)));
    for (size_t i = 0; i < bits.size(); ++i) {
      const int ky = static_cast<int>(byteNo * 8 + i + 1);
      Setkey(first, !first, ky, bits[i] == '1' ? 1 : 0);
    }
  }
  panelinit = true;
}

void SwitchEngine::Setkey(bool newkey, bool presskey, int ky, int kyval) {
  TSwitchKey& sw = switchkeys.at(static_cast<size_t>(ky));
  const bool on = kyval == 1;
  const bool changed = on != sw.keystate;
  sw.keystate = on;
  if (changed && presskey) {
    const int fn = on ? sw.onfn : sw.offfn;
    if (fn > 0) {
      SetKeyOn(fn);
    }
  }
  if (testSaitekPanel && (newkey || changed)) {
    showIndicator(ky, on, changed);
  }
}

void SwitchEngine::showIndicator(int ky, bool on, bool changed) {
  if (changed && on && isMagnetoSwitch(ky)) {
    for (const std::string_view mark : kMagnetoMarks) {
      indicators_.setIndicatorVisible(mark, false);
    }
  }
  const Indicator& indicator = kIndicators.at(static_cast<size_t>(ky));
  if (indicator.name.empty()) {
    return;
  }
  if (indicator.showOnly) {
    if (on) {
      indicators_.setIndicatorVisible(indicator.name, true);
    }
  } else {
    indicators_.setIndicatorVisible(indicator.name, ky == kGearLeverUpSwitch ? !on : on);
  }
}

void SwitchEngine::SetKeyOn(int fn) {
  const TKeyPressRec& rec = keyarray.at(static_cast<size_t>(fn));
  if (rec.key1 == 0 && simulator_ != nullptr && simulator_->connected()) {
    simulator_->sendDirectEvent(fn);
  }
  if (rec.key1 == 0 || rec.outtype != u'K') {
    return;
  }
  if (rec.presses > 1) {
    sendkeys('P', fn);
    AddAction(fn, rec.presses - 1, "P");
  } else if (rec.pulses > 0) {
    sendkeys('D', fn);
    AddAction(fn, rec.pulses, "U");
  } else {
    sendkeys('P', fn);
  }
  if (fn == 1) {
    gearLightSequence(2, 3);
  } else if (fn == 5) {
    gearLightSequence(6, 7);
  }
}

void SwitchEngine::gearLightSequence(int firstStep, int secondStep) {
  constexpr int kCloseStep = 4;
  const TKeyPressRec& first = keyarray.at(static_cast<size_t>(firstStep));
  const TKeyPressRec& second = keyarray.at(static_cast<size_t>(secondStep));
  if (first.value == "0") {
    return;
  }
  GoFunction(firstStep, "G");
  if (first.pulses == 0) {
    return;
  }
  if (second.value != "0") {
    AddAction(secondStep, first.pulses, "G");
    if (second.pulses != 0) {
      AddAction(kCloseStep, addDelays(first.pulses, second.pulses), "G");
    }
  } else {
    AddAction(kCloseStep, first.pulses, "G");
  }
}

void SwitchEngine::AddAction(int fn, int pulses, std::string_view actionid) {
  // A "U" row is queued right after its keys went down: it keeps those codes.
  vtActionList.AddAction(
      fn, pulses, actionid,
      actionid == "U" ? keyCodes(keyarray.at(static_cast<size_t>(fn))) : std::vector<uint16_t>{});
}

void SwitchEngine::GoFunction(int fn, std::string_view actionid) {
  if (actionid == "G") {
    if (simulator_ != nullptr) {
      simulator_->LG_LED(fn);
    }
  } else if (actionid == "P") {
    sendkeys('P', fn);
  } else if (actionid == "U") {
    release(fn);
  }
}

void SwitchEngine::release(int fn) {
  const TActionRow* row = vtActionList.find(fn);
  if (row != nullptr && row->actionid == "U") {
    qv::sendkeys('U', row->held, injector_);
  } else {
    sendkeys('U', fn);
  }
}

void SwitchEngine::sendkeys(char KS, int fn) {
  qv::sendkeys(KS, keyarray.at(static_cast<size_t>(fn)), injector_);
}

void SwitchEngine::Timer1Timer() {
  if (simulator_ != nullptr) {
    simulator_->showStatus();
    simulator_->connectPhase();
    simulator_->dispatchPhase();
    simulator_->quitPhase();
    simulator_->gearLightRefresh();
  }
  vtActionList.pass([this](int32_t fn, std::string_view actionid) { GoFunction(fn, actionid); });
}

void SwitchEngine::releaseHeldKeys() {
  for (const TActionRow& row : vtActionList.rows()) {
    if (row.actionid == "U") {
      qv::sendkeys('U', row.held, injector_);
    }
  }
  vtActionList.removeRows("U");
}

}  // namespace qv
