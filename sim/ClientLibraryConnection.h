#pragma once

#include "sim/SimulatorConnection.h"

namespace qv {

// The simulator reached through its client library: open, the data
// definition, the mapped client events and the "6Hz" data requests of
// TSimCon, dispatched once per tick. The library must be loaded.
class ClientLibraryConnection final : public SimulatorConnection {
 public:
  Opening open(TSimCon& con) override;
  bool exchange(TSimCon& con) override;
  void send(TSimCon& con, const DirectEvent& event) override;
  void close(TSimCon& con) override;
  [[nodiscard]] std::string simulatorName(const TSimCon& con) const override;
};

}  // namespace qv
