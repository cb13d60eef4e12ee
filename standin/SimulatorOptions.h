#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv::standin {

// The stand-in simulator's command line.
struct SimulatorOptions {
  int engines = 1;
  std::string title = "Stand-in Skyhawk";
  bool gearDown = true;
  // --tcp PORT: listen on 127.0.0.1 at PORT (0: a free one) instead of the
  // platform's default.
  std::optional<uint16_t> tcpPort;
};

// The command line's options. When an option is unknown or its value is not
// valid: nothing, and the usage text on standard error, ending in
// `endpoints`, which says where the simulator listens by default.
std::optional<SimulatorOptions> parseOptions(int argc, char** argv, const std::string& endpoints);

// The first line the simulator prints once it listens.
std::string listeningLine(const std::string& where, const SimulatorOptions& options);

}  // namespace qv::standin
