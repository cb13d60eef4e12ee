#include "tests/kernel/VirtualDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <stdexcept>

namespace qv::test {

namespace {

std::string programBesideThisOne(const char* name) {
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
}

}  // namespace

VirtualDevice::VirtualDevice() {
  std::array<int, 2> in{};
  std::array<int, 2> out{};
  if (pipe2(in.data(), O_CLOEXEC) != 0 || pipe2(out.data(), O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  posix_spawn_file_actions_t actions{};
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  const std::string program = programBesideThisOne("VirtualPanel");
  std::array<char*, 2> argv{const_cast<char*>(program.c_str()), nullptr};
  const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  if (spawned != 0) {
    close(in[1]);
    close(out[0]);
    throw std::runtime_error("cannot start " + program);
  }
  toDevice_ = in[1];
  fromDevice_ = out[0];
}

VirtualDevice::~VirtualDevice() {
  // End of input makes the program close /dev/uhid, which removes its device.
  close(toDevice_);
  int status = 0;
  static_cast<void>(waitpid(pid_, &status, 0));
  close(fromDevice_);
}

void VirtualDevice::step(const std::string& line) {
  const std::string text = line + "\n";
  if (write(toDevice_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    throw std::runtime_error("the virtual device has gone");
  }
}

std::optional<std::string> VirtualDevice::nextLine(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd watched{fromDevice_, POLLIN, 0};
    if (left.count() <= 0 || poll(&watched, 1, static_cast<int>(left.count())) <= 0) {
      return std::nullopt;
    }
    std::array<char, 4096> chunk{};
    const ssize_t got = read(fromDevice_, chunk.data(), chunk.size());
    if (got <= 0) {
      return std::nullopt;
    }
    pending_.append(chunk.data(), static_cast<size_t>(got));
  }
}

std::optional<std::string> VirtualDevice::awaitLine(const std::string& prefix,
                                                    std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    std::optional<std::string> line = nextLine(std::max(left, std::chrono::milliseconds(0)));
    if (!line || line->rfind(prefix, 0) == 0) {
      return line;
    }
  }
}

std::string VirtualDevice::drain() {
  step("sync");
  std::string lines;
  while (std::optional<std::string> line = nextLine()) {
    if (*line == "sync") {
      return lines;
    }
    lines += *line + "\n";
  }
  return lines + "(no answer to sync)\n";
}

}  // namespace qv::test
