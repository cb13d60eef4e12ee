#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace qv::test {

// The real stand-in simulator as a child process on a socket of the test's
// own, with its output kept in a file.
class StandinProcess {
 public:
  // Points this process and its children at a fresh socket directory.
  StandinProcess();
  ~StandinProcess();
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;

  // Every later start() listens on TCP (a free port on 127.0.0.1), which
  // this process and its children are pointed at.
  void useTcp() { tcp_ = true; }
  // Starts the simulator and waits until it listens.
  void start(const std::vector<std::string>& options = {});
  // SIGTERM: the simulator sends QUIT and ends.
  void stop();
  // SIGKILL: the simulator ends without a word.
  void kill();
  // SIGSTOP and SIGCONT: the simulator holds, as after Ctrl+Z, and goes on.
  void pause();
  void resume();

  // A line on the simulator's standard input, such as "title TEXT".
  void type(const std::string& line);

  // Everything the simulator printed since start().
  [[nodiscard]] std::string output() const;
  // Lines of output() that contain `text`.
  [[nodiscard]] int linesWith(const std::string& text) const;

 private:
  void end(int signal);

  std::string directory_;
  std::string outputFile_;
  pid_t pid_ = -1;
  int input_ = -1;  // the write end of the simulator's standard input
  int runs_ = 0;
  bool tcp_ = false;
};

// Calls `step` every 20 ms until `done` holds or `timeout` passes; returns
// whether it held.
bool repeatUntil(const std::function<void()>& step, const std::function<bool()>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace qv::test
