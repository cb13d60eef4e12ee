#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace qv::test {

// The real FlightGear (c172p-amphibious, nothing drawn, no scenery) as a
// child process with its property server on a free port, and a blocking
// client of that server for the test's own questions.
class FlightGearProcess {
 public:
  // Starts fgfs on the X display of the environment; FG_HOME is `home`.
  explicit FlightGearProcess(const std::string& home);
  ~FlightGearProcess();
  FlightGearProcess(const FlightGearProcess&) = delete;
  FlightGearProcess& operator=(const FlightGearProcess&) = delete;

  [[nodiscard]] uint16_t port() const { return port_; }
  // Connects and waits until the flight model runs; false after `limit`.
  bool waitUntilFlying(std::chrono::seconds limit);
  // The property's value as the server prints it in data mode.
  std::string get(const std::string& path);
  void set(const std::string& path, const std::string& value);

 private:
  void request(const std::string& command);
  std::string line();

  uint16_t port_ = 0;
  pid_t pid_ = -1;
  int socket_ = -1;
  std::string pending_;
};

}  // namespace qv::test
