#include "sim/DataDefinition.h"

#include "sim/SimConnectApi.h"

namespace qv {

namespace {
constexpr uint32_t kF64 = simconnect::kDataTypeFloat64;
constexpr size_t kLeftGearEntry = 21;
}  // namespace

const std::array<DatumRow, 24> kDataDefinition{{
    {"Title", nullptr, simconnect::kDataTypeString256},
    {"ELECTRICAL MASTER BATTERY", "position", kF64},
    {"GENERAL ENG MASTER ALTERNATOR:1", "position", kF64},
    {"GENERAL ENG MASTER ALTERNATOR:2", "position", kF64},
    {"GENERAL ENG MASTER ALTERNATOR:3", "position", kF64},
    {"GENERAL ENG MASTER ALTERNATOR:4", "position", kF64},
    {"AVIONICS MASTER SWITCH", "position", kF64},
    {"LIGHT BEACON", "position", kF64},
    {"LIGHT NAV", "position", kF64},
    {"LIGHT TAXI", "position", kF64},
    {"GENERAL ENG FUEL PUMP SWITCH:1", "position", kF64},
    {"GENERAL ENG FUEL PUMP SWITCH:2", "position", kF64},
    {"GENERAL ENG FUEL PUMP SWITCH:3", "position", kF64},
    {"GENERAL ENG FUEL PUMP SWITCH:4", "position", kF64},
    {"RECIP ENG COWL FLAP POSITION:1", "position", kF64},
    {"RECIP ENG COWL FLAP POSITION:2", "position", kF64},
    {"RECIP ENG COWL FLAP POSITION:3", "position", kF64},
    {"RECIP ENG COWL FLAP POSITION:4", "position", kF64},
    {"NUMBER OF ENGINES", "Number", kF64},
    {"LIGHT PANEL", "position", kF64},
    {"GEAR CENTER POSITION", "Percent", kF64},
    {"GEAR LEFT POSITION:1", "Percent", kF64},
    {"GEAR RIGHT POSITION", "Percent", kF64},
    {"GEAR WARNING", "Percent", kF64},
}};

void namePlaneData(PlaneDataTable& PlaneData) {
  for (size_t k = 1; k < kDataDefinition.size(); ++k) {
    PlaneData.at(k).Name = kDataDefinition.at(k).name;
  }
  PlaneData.at(kLeftGearEntry).Name = "GEAR LEFT POSITION";
}

}  // namespace qv
