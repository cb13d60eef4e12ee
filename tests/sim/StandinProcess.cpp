#include "tests/sim/StandinProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace qv::test {

StandinProcess::StandinProcess() {
  std::string pattern = "/tmp/qv-standin-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a socket directory");
  }
  directory_ = pattern;
  setenv("QV_STANDIN_SOCKET", (directory_ + "/sim.sock").c_str(), 1);
}

StandinProcess::~StandinProcess() {
  if (pid_ > 0) {
    end(SIGKILL);
  }
  unsetenv("QV_STANDIN_PORT");
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

void StandinProcess::start(const std::vector<std::string>& options) {
  outputFile_ = directory_ + "/output-" + std::to_string(++runs_) + ".txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile_.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::array<int, 2> input{};
  if (pipe2(input.data(), O_CLOEXEC) != 0) {
    throw std::runtime_error("cannot make the simulator's input");
  }
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  std::vector<std::string> args{QV_STANDIN_SIMULATOR};
  args.insert(args.end(), options.begin(), options.end());
  if (tcp_) {
    args.insert(args.end(), {"--tcp", "0"});
  }
  std::vector<char*> argv;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  input_ = input[1];
  if (failed != 0) {
    pid_ = -1;
    throw std::runtime_error("cannot start the stand-in simulator");
  }
  // It prints its first line once it listens.
  if (!repeatUntil([] {}, [this] { return linesWith("stand-in simulator on") == 1; })) {
    throw std::runtime_error("the stand-in simulator did not start: " + output());
  }
  if (tcp_) {
    // "stand-in simulator on 127.0.0.1:PORT: ..."
    const std::string line = output();
    const size_t port = line.find("127.0.0.1:") + 10;
    setenv("QV_STANDIN_PORT", line.substr(port, line.find(':', port) - port).c_str(), 1);
  }
}

void StandinProcess::stop() {
  end(SIGTERM);
}

void StandinProcess::kill() {
  end(SIGKILL);
}

void StandinProcess::pause() {
  if (pid_ > 0) {
    ::kill(pid_, SIGSTOP);
  }
}

void StandinProcess::resume() {
  if (pid_ > 0) {
    ::kill(pid_, SIGCONT);
  }
}

void StandinProcess::type(const std::string& line) {
  const std::string text = line + "\n";
  if (write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    throw std::runtime_error("the simulator's input is closed");
  }
}

void StandinProcess::end(int signal) {
  if (input_ >= 0) {
    close(input_);
    input_ = -1;
  }
  if (pid_ <= 0) {
    return;
  }
  ::kill(pid_, signal);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

std::string StandinProcess::output() const {
  std::ifstream file(outputFile_);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

int StandinProcess::linesWith(const std::string& text) const {
  std::istringstream lines(output());
  int count = 0;
  for (std::string line; std::getline(lines, line);) {
    count += line.find(text) != std::string::npos ? 1 : 0;
  }
  return count;
}

bool repeatUntil(const std::function<void()>& step, const std::function<bool()>& done,
                 std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    step();
    if (done()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace qv::test
