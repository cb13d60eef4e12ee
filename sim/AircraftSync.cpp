#include "sim/AircraftSync.h"

#include <array>

namespace qv {

namespace {

constexpr int kStarterFunction = 12;
// The knob's switches: off, right, left and both send their position; the
// starter's switch only says that the knob stands there.
constexpr std::array<int, 5> kMagnetoSwitches{9, 10, 11, 23, 24};

bool twoPositionSwitch(const TSwitchKey& sw) {
  return sw.onfn > 0 && sw.offfn > 0;
}

}  // namespace

std::vector<std::string> syncAircraft(const SwitchKeys& switches, const KeyArray& keyarray,
                                      const PlaneEventTable& PlaneEv, PlaneDataTable& PlaneData,
                                      const TransmitEvent& transmit) {
  std::vector<std::string> lines;
  const auto send = [&](int fn) {
    const TKeyPressRec& record = keyarray.at(static_cast<size_t>(fn));
    if (record.key1 != 0) {
      return;
    }
    sendDirectEvents(PlaneEv, PlaneData, fn, [&](uint32_t row, uint32_t data) {
      lines.push_back("Sync: " + PlaneEv.at(row).EvName + " " + std::to_string(data) + " (" +
                      record.name + ")");
      transmit(row, data);
    });
  };
  for (const TSwitchKey& sw : switches) {
    if (twoPositionSwitch(sw)) {
      send(sw.keystate ? sw.onfn : sw.offfn);
    }
  }
  for (const int k : kMagnetoSwitches) {
    const TSwitchKey& sw = switches.at(static_cast<size_t>(k));
    if (sw.keystate && sw.onfn != kStarterFunction) {
      send(sw.onfn);
    }
  }
  lines.emplace_back(kGearLeftToPilotLine);
  return lines;
}

}  // namespace qv
