#pragma once

#include <string>
#include <vector>

#include "engine/KeyTable.h"
#include "engine/SwitchMap.h"
#include "sim/PlaneEvents.h"

namespace qv {

inline constexpr const char* kGearLeftToPilotLine = "Sync: the gear is left to the pilot";

// Brings the aircraft to the panel's switch positions: every two-position
// switch whose current position sends a direct event (key code 0) sends it
// as a switch change would, so toggles go out only where the aircraft
// differs; the magneto knob sends its position unless it stands on the
// starter. Keystroke rows are left alone (their effect cannot be known) and
// so is the gear lever: moved by a tool on the ground it is a crash.
// Returns the history lines: what was sent, and that the gear was left.
std::vector<std::string> syncAircraft(const SwitchKeys& switches, const KeyArray& keyarray,
                                      const PlaneEventTable& PlaneEv, PlaneDataTable& PlaneData,
                                      const TransmitEvent& transmit);

}  // namespace qv
