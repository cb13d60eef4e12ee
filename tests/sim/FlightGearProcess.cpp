#include "tests/sim/FlightGearProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/LoopbackAddress.h"

extern char** environ;

namespace qv::test {

namespace {

using Clock = std::chrono::steady_clock;
using net::loopback;
// While it loads, FlightGear's main loop (and so its property server) may
// stand still for minutes on a loaded machine.
constexpr int kAnswerMs = 300000;

uint16_t freePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = loopback(0);
  socklen_t size = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    throw std::runtime_error("no free port");
  }
  close(fd);
  return ntohs(address.sin_port);
}

}  // namespace

FlightGearProcess::FlightGearProcess(const std::string& home) : port_(freePort()) {
  const std::string scenery = home + "/empty-scenery";
  std::filesystem::create_directories(scenery);
  std::istringstream options(
      "/usr/games/fgfs --aircraft=c172p-amphibious --disable-terrasync --disable-sound "
      "--disable-ai-traffic --disable-clouds --disable-real-weather-fetch --geometry=640x480 "
      "--prop:/sim/rendering/draw-mask/terrain=false --prop:/sim/rendering/draw-mask/models=false "
      "--prop:/sim/rendering/draw-mask/aircraft=false --prop:/sim/rendering/draw-mask/clouds=false "
      "--prop:/sim/frame-rate-throttle-hz=15");
  std::vector<std::string> args{std::istream_iterator<std::string>(options), {}};
  args.push_back("--fg-scenery=" + scenery);
  args.push_back("--props=socket,bi,20,," + std::to_string(port_) + ",tcp");
  setenv("FG_HOME", home.c_str(), 1);
  setenv("DBUS_FATAL_WARNINGS", "0", 1);  // it aborts without a D-Bus session otherwise
  std::vector<char*> argv;
  for (std::string& a : args) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  const std::string log = home + "/fgfs.log";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    throw std::runtime_error("cannot start /usr/games/fgfs");
  }
}

FlightGearProcess::~FlightGearProcess() {
  if (socket_ >= 0) {
    close(socket_);
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

bool FlightGearProcess::waitUntilFlying(std::chrono::seconds limit) {
  const auto end = Clock::now() + limit;
  while (socket_ < 0 && Clock::now() < end) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port_);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      socket_ = fd;
      request("data");  // answers without prompts
    } else {
      close(fd);
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
  }
  while (socket_ >= 0 && Clock::now() < end) {
    if (get("/sim/fdm-initialized") == "true") {
      return true;
    }
  }
  return false;
}

std::string FlightGearProcess::get(const std::string& path) {
  request("get " + path);
  return line();
}

void FlightGearProcess::set(const std::string& path, const std::string& value) {
  request("set " + path + " " + value);
}

void FlightGearProcess::request(const std::string& command) {
  const std::string text = command + "\r\n";
  if (send(socket_, text.data(), text.size(), MSG_NOSIGNAL) < 0) {
    throw std::runtime_error("FlightGear has gone");
  }
}

std::string FlightGearProcess::line() {
  for (;;) {
    if (const size_t end = pending_.find('\n'); end != std::string::npos) {
      std::string text = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (!text.empty() && text.back() == '\r') {
        text.pop_back();
      }
      return text;
    }
    pollfd readable{socket_, POLLIN, 0};
    std::array<char, 4096> chunk{};
    const ssize_t got =
        poll(&readable, 1, kAnswerMs) == 1 ? recv(socket_, chunk.data(), chunk.size(), 0) : -1;
    if (got <= 0) {
      throw std::runtime_error("FlightGear does not answer");
    }
    pending_.append(chunk.data(), static_cast<size_t>(got));
  }
}

}  // namespace qv::test
