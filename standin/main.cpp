// The stand-in flight simulator: one aircraft served over a local socket (or
// loopback TCP) to clients of the stand-in client library. Stops with SIGINT
// or SIGTERM, sending QUIT to every client first. Reads commands from its
// standard input while it runs.

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

#include "platform/linux/SocketFile.h"
#include "standin/Aircraft.h"
#include "standin/ConsoleCommands.h"
#include "standin/SimulatorOptions.h"
#include "standin/StandinProtocol.h"
#include "standin/StandinServer.h"

namespace {

constexpr const char* kEndpoints =
    "Without --tcp the socket is $QV_STANDIN_SOCKET, else quorvane-standin.sock in\n"
    "$XDG_RUNTIME_DIR, else quorvane-standin.sock in the private folder\n"
    "/tmp/quorvane-standin-<uid>.\n"
    "While it runs, a line \"title TEXT\" on the standard input gives the aircraft\n"
    "a new title (another aircraft loaded).\n";

bool signalled(int stopFd) {
  pollfd waiting{stopFd, POLLIN, 0};
  return poll(&waiting, 1, 0) == 1;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = qv::standin::parseOptions(argc, argv, kEndpoints);
  if (!options) {
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

  qv::standin::Aircraft aircraft(options->engines, options->title, options->gearDown);
  qv::standin::StandinServer server(aircraft, std::cout);
  std::string error;
  bool listening = false;
  if (options->tcpPort) {
    listening = server.listen({true, *options->tcpPort, {}}, error);
  } else {
    const std::string folder = qv::standin::privateSocketFolder();
    listening = (folder.empty() || qv::net::makePrivateFolder(folder, error)) &&
                server.listen({false, 0, qv::standin::socketPath()}, error);
  }
  if (!listening) {
    std::cerr << error << '\n';
    close(stopFd);
    return 1;
  }
  const qv::net::Endpoint& endpoint = server.endpoint();
  const std::string where =
      endpoint.tcp ? "127.0.0.1:" + std::to_string(endpoint.port) : endpoint.path;
  std::cout << qv::standin::listeningLine(where, *options) << std::endl;
  qv::standin::ConsoleCommands commands(STDIN_FILENO);
  server.run([stopFd, &commands, &aircraft] {
    commands.serve(aircraft, std::cout);
    return signalled(stopFd);
  });
  close(stopFd);
  return 0;
}
