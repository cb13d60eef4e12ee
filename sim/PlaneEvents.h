#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// The variables read from the simulator, indexes 0 to 100; 1 to 23 are used.
struct TPlaneSetting {
  std::string Name;
  double Value = 0.0;
};
using PlaneDataTable = std::array<TPlaneSetting, 101>;

// One direct simulator event; the row index is the function id it serves
// and the client event id it is mapped under.
struct TPlaneEvent {
  std::string EvName;
  int32_t EvValue = 0;  // data sent, or for EvVar > 0 the wanted state
  int32_t EvVar = 0;    // PlaneData entry holding the current state, 0 for none
  int32_t EvIdx = 0;    // > 1 marks a chained row
  int32_t EvNext = 0;   // next row of a chain, 0 ends it
};
using PlaneEventTable = std::array<TPlaneEvent, 101>;

inline constexpr int kPlaneEvMappedRows = 44;
inline constexpr int kNumberOfEnginesEntry = 18;

// The table's whole content; every other row stays empty.
void fillPlaneEv(PlaneEventTable& PlaneEv);

// Sends one client event id with its data.
using TransmitEvent = std::function<void(uint32_t clientEventId, uint32_t data)>;

// The direct-event block of function fn: toggles only where the reported
// state differs from the wanted one, settings always, cowl flap chains once
// per engine of the aircraft. A sent toggle sets its PlaneData entry to the
// wanted state until the next data message replaces it.
void sendDirectEvents(const PlaneEventTable& PlaneEv, PlaneDataTable& PlaneData, int fn,
                      const TransmitEvent& transmit);

}  // namespace qv
