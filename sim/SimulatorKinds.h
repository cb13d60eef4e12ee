#pragma once

#include <string>
#include <vector>

namespace qv {

class HistoryLog;
class SimulatorLink;

// Adds the network simulators to the link, after the client library:
// FlightGear, then X-Plane, with the mapping read from `mappingFiles` in order. A mapping
// file that cannot be read is named with its reason in the history log.
void addNetworkSimulators(SimulatorLink& link, const std::vector<std::string>& mappingFiles,
                          HistoryLog& history);

}  // namespace qv
