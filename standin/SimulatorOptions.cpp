#include "standin/SimulatorOptions.h"

#include "standin/StandinProtocol.h"

namespace qv::standin {

bool parseOptions(int argc, char** argv, SimulatorOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) {
      return false;
    }
    const std::string value = argv[++i];
    if (option == "--engines" && value.size() == 1 && value[0] >= '0' && value[0] <= '4') {
      options.engines = value[0] - '0';
    } else if (option == "--title") {
      options.title = value;
    } else if (option == "--gear" && (value == "up" || value == "down")) {
      options.gearDown = value == "down";
    } else if (option == "--tcp" && parsePort(value, true)) {
      options.tcpPort = parsePort(value, true);
    } else {
      return false;
    }
  }
  return true;
}

std::string usage(const std::string& endpoints) {
  return "usage: quorvane-standin-sim [--engines N] [--title TEXT] [--gear up|down] [--tcp PORT]\n"
         "  --engines N    number of engines, 0 to 4 (default 1)\n"
         "  --title TEXT   the aircraft title (default \"Stand-in Skyhawk\")\n"
         "  --gear up|down where the gear starts (default down)\n"
         "  --tcp PORT     listen on 127.0.0.1 at PORT, 0 for a free one (printed);\n"
         "                 the client library finds it through $QV_STANDIN_PORT\n" +
         endpoints;
}

std::string listeningLine(const std::string& where, const SimulatorOptions& options) {
  return "stand-in simulator on " + where + ": \"" + options.title + "\", " +
         std::to_string(options.engines) + " engine(s), gear " + (options.gearDown ? "down" : "up");
}

}  // namespace qv::standin
