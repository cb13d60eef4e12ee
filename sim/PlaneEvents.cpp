#include "sim/PlaneEvents.h"

#include <cmath>

namespace qv {

namespace {

struct Row {
  int index;
  TPlaneEvent event;
};

const std::array<Row, 39> kRows{{
    {1, {"GEAR_UP", 0, 0, 1, 0}},
    {5, {"GEAR_DOWN", 0, 0, 1, 0}},
    {8, {"MAGNETO_OFF", 0, 0, 1, 0}},
    {9, {"MAGNETO_RIGHT", 0, 0, 1, 0}},
    {10, {"MAGNETO_LEFT", 0, 0, 1, 0}},
    {11, {"MAGNETO_BOTH", 0, 0, 1, 0}},
    {12, {"ENGINE_AUTO_START", 1, 0, 1, 0}},
    {13, {"TOGGLE_MASTER_BATTERY", 1, 1, 1, 0}},
    {14, {"TOGGLE_MASTER_ALTERNATOR", 1, 2, 1, 0}},
    {15, {"AVIONICS_MASTER_SET", 1, 0, 1, 0}},
    {16, {"FUEL_PUMP", 1, 10, 1, 0}},
    {17, {"ANTI_ICE_ON", 0, 0, 1, 0}},
    {18, {"PITOT_HEAT_ON", 0, 0, 1, 0}},
    {19, {"COWLFLAP1_SET", 0, 0, 4, 39}},
    {20, {"PANEL_LIGHTS_SET", 1, 0, 1, 0}},
    {21, {"TOGGLE_BEACON_LIGHTS", 1, 7, 1, 0}},
    {22, {"TOGGLE_NAV_LIGHTS", 1, 8, 1, 0}},
    {23, {"STROBES_ON", 0, 0, 1, 0}},
    {24, {"TOGGLE_TAXI_LIGHTS", 1, 9, 1, 0}},
    {25, {"LANDING_LIGHTS_SET", 1, 0, 1, 0}},
    {26, {"TOGGLE_MASTER_BATTERY", 0, 1, 1, 0}},
    {27, {"TOGGLE_MASTER_ALTERNATOR", 0, 2, 1, 0}},
    {28, {"AVIONICS_MASTER_SET", 0, 0, 1, 0}},
    {29, {"FUEL_PUMP", 0, 10, 1, 0}},
    {30, {"ANTI_ICE_OFF", 0, 0, 1, 0}},
    {31, {"PITOT_HEAT_OFF", 0, 0, 1, 0}},
    {32, {"COWLFLAP1_SET", 16383, 0, 4, 40}},
    {33, {"PANEL_LIGHTS_SET", 0, 0, 1, 0}},
    {34, {"TOGGLE_BEACON_LIGHTS", 0, 7, 1, 0}},
    {35, {"TOGGLE_NAV_LIGHTS", 0, 8, 1, 0}},
    {36, {"STROBES_OFF", 0, 0, 1, 0}},
    {37, {"TOGGLE_TAXI_LIGHTS", 0, 9, 1, 0}},
    {38, {"LANDING_LIGHTS_SET", 0, 0, 1, 0}},
    {39, {"COWLFLAP2_SET", 0, 0, 4, 41}},
    {40, {"COWLFLAP2_SET", 16383, 0, 4, 42}},
    {41, {"COWLFLAP3_SET", 0, 0, 4, 43}},
    {42, {"COWLFLAP3_SET", 16383, 0, 4, 44}},
    {43, {"COWLFLAP4_SET", 0, 0, 4, 0}},
    {44, {"COWLFLAP4_SET", 16383, 0, 4, 0}},
}};

// Nearest whole number, halves to the even one, whatever the rounding mode.
double roundHalfEven(double value) {
  const double down = std::floor(value);
  const double fraction = value - down;
  if (fraction < 0.5) {
    return down;
  }
  if (fraction > 0.5) {
    return down + 1.0;
  }
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

}  // namespace

void fillPlaneEv(PlaneEventTable& PlaneEv) {
  PlaneEv.fill(TPlaneEvent{});
  for (const Row& row : kRows) {
    PlaneEv.at(static_cast<size_t>(row.index)) = row.event;
  }
}

void sendDirectEvents(const PlaneEventTable& PlaneEv, PlaneDataTable& PlaneData, int fn,
                      const TransmitEvent& transmit) {
  // The fraction is dropped; an engine count beyond 32 bits cannot stop a
  // chain of four rows anyway.
  const double engineValue = std::trunc(PlaneData.at(kNumberOfEnginesEntry).Value);
  const bool engineCountUsable = engineValue > -1e9 && engineValue < 1e9;
  const auto engines = engineCountUsable ? static_cast<int64_t>(engineValue) : int64_t{0};

  int row = fn;
  int64_t count = 1;
  for (;;) {
    const TPlaneEvent& ev = PlaneEv.at(static_cast<size_t>(row));
    if (ev.EvVar > 0) {
      double& state = PlaneData.at(static_cast<size_t>(ev.EvVar)).Value;
      if (roundHalfEven(state) != static_cast<double>(ev.EvValue)) {
        transmit(static_cast<uint32_t>(row), 0);
        // The data at hand predates the toggle: a switch moved back before
        // fresh data arrive must toggle again, not be taken as in step.
        state = ev.EvValue;
      }
    } else {
      transmit(static_cast<uint32_t>(row), static_cast<uint32_t>(ev.EvValue));
    }
    if (ev.EvIdx <= 1) {
      return;
    }
    row = ev.EvNext;
    if (count == engines || row == 0) {
      return;
    }
    ++count;
  }
}

}  // namespace qv
