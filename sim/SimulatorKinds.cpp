#include "sim/SimulatorKinds.h"

#include <memory>

#include "engine/HistoryLog.h"
#include "sim/FlightGearConnection.h"
#include "sim/SimulatorLink.h"
#include "sim/XPlaneConnection.h"

namespace qv {

void addNetworkSimulators(SimulatorLink& link, const std::vector<std::string>& mappingFiles,
                          HistoryLog& history) {
  std::vector<std::string> errors;
  link.addConnection(std::make_unique<FlightGearConnection>(
      SimulatorMapping::load(mappingFiles, "flightgear", errors)));
  link.addConnection(
      std::make_unique<XPlaneConnection>(SimulatorMapping::load(mappingFiles, "xplane", errors)));
  for (const std::string& error : errors) {
    history.appendLine(error);
  }
}

}  // namespace qv
