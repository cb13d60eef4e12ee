#include "standin/SimulatorOptions.h"

#include <iostream>

#include "standin/StandinProtocol.h"

namespace qv::standin {

std::optional<SimulatorOptions> parseOptions(int argc, char** argv, const std::string& endpoints) {
  SimulatorOptions options;
  int i = 1;
  for (; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const std::string value = argv[i + 1];
    if (option == "--engines" && value.size() == 1 && value[0] >= '0' && value[0] <= '4') {
      options.engines = value[0] - '0';
    } else if (option == "--title") {
      options.title = value;
    } else if (option == "--gear" && (value == "up" || value == "down")) {
      options.gearDown = value == "down";
    } else if (option == "--tcp" && parsePort(value, true)) {
      options.tcpPort = parsePort(value, true);
    } else {
      break;
    }
  }
  // Every option read, each with its value.
  if (i >= argc) {
    return options;
  }
  std::cerr
      << "usage: quorvane-standin-sim [--engines N] [--title TEXT] [--gear up|down] [--tcp PORT]\n"
         "  --engines N    number of engines, 0 to 4 (default 1)\n"
         "  --title TEXT   the aircraft title (default \"Stand-in Skyhawk\")\n"
         "  --gear up|down where the gear starts (default down)\n"
         "  --tcp PORT     listen on 127.0.0.1 at PORT, 0 for a free one (printed);\n"
         "                 the client library finds it through $QV_STANDIN_PORT\n"
      << endpoints;
  return std::nullopt;
}

std::string listeningLine(const std::string& where, const SimulatorOptions& options) {
  return "stand-in simulator on " + where + ": \"" + options.title + "\", " +
         std::to_string(options.engines) + " engine(s), gear " + (options.gearDown ? "down" : "up");
}

}  // namespace qv::standin
