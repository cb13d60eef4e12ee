// The stand-in flight simulator: one aircraft served over a local socket to
// clients of the stand-in client library. Stops with SIGINT or SIGTERM,
// sending QUIT to every client first.

#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

#include "standin/Aircraft.h"
#include "standin/SocketFile.h"
#include "standin/StandinProtocol.h"
#include "standin/StandinServer.h"

namespace {

constexpr const char* kUsage =
    "usage: quorvane-standin-sim [--engines N] [--title TEXT] [--gear up|down]\n"
    "  --engines N    number of engines, 0 to 4 (default 1)\n"
    "  --title TEXT   the aircraft title (default \"Stand-in Skyhawk\")\n"
    "  --gear up|down where the gear starts (default down)\n"
    "The socket is $QV_STANDIN_SOCKET, else quorvane-standin.sock in $XDG_RUNTIME_DIR,\n"
    "else quorvane-standin.sock in the private folder /tmp/quorvane-standin-<uid>.\n";

struct Options {
  int engines = 1;
  std::string title = "Stand-in Skyhawk";
  bool gearDown = true;
};

bool parse(int argc, char** argv, Options& options) {
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
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::cerr << kUsage;
    return 2;
  }
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  if (sigprocmask(SIG_BLOCK, &stopSignals, nullptr) != 0) {
    std::cerr << "cannot block the stop signals: " << std::strerror(errno) << '\n';
    return 1;
  }
  const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
  if (stopFd < 0) {
    std::cerr << "cannot watch the stop signals: " << std::strerror(errno) << '\n';
    return 1;
  }

  qv::standin::Aircraft aircraft(options.engines, options.title, options.gearDown);
  qv::standin::StandinServer server(aircraft, std::cout);
  const std::string path = qv::standin::socketPath();
  const std::string folder = qv::standin::privateSocketFolder();
  std::string error;
  if ((!folder.empty() && !qv::standin::makePrivateFolder(folder, error)) ||
      !server.listen(path, error)) {
    std::cerr << error << '\n';
    close(stopFd);
    return 1;
  }
  std::cout << "stand-in simulator on " << path << ": \"" << options.title << "\", "
            << options.engines << " engine(s), gear " << (options.gearDown ? "down" : "up")
            << std::endl;
  server.run(stopFd);
  close(stopFd);
  return 0;
}
