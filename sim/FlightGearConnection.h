#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Sockets.h"
#include "sim/SimulatorConnection.h"
#include "sim/SimulatorMapping.h"

namespace qv {

// FlightGear through its property server (--props=socket,bi,20,,PORT,tcp or
// --telnet=PORT) on 127.0.0.1, in its data mode: "get PATH" answers the
// value on a line of its own, "set PATH VALUE" answers nothing. Each tick
// sends one write asking for every mapped property and takes the answers
// as they come in later ticks; events are written at once.
class FlightGearConnection final : public SimulatorConnection {
 public:
  explicit FlightGearConnection(SimulatorMapping mapping);
  ~FlightGearConnection() override;
  FlightGearConnection(const FlightGearConnection&) = delete;
  FlightGearConnection& operator=(const FlightGearConnection&) = delete;

  Opening open(TSimCon& con) override;
  bool exchange(TSimCon& con) override;
  void send(TSimCon& con, const DirectEvent& event) override;
  void close(TSimCon& con) override;
  [[nodiscard]] std::string simulatorName(const TSimCon& con) const override;

 private:
  void ask(const std::vector<std::string>& paths);
  // Writes what is pending and takes every complete answer line that has
  // arrived; false once the server has gone.
  bool flushAndReceive(TSimCon& con);
  void takeData(TSimCon& con);
  [[nodiscard]] double valueOf(const std::string& path) const;

  SimulatorMapping mapping_;
  AircraftMapping aircraft_;
  bool socketsStarted_ = false;
  net::Handle socket_ = net::kNoSocket;
  std::string outgoing_;
  std::string incoming_;
  std::deque<std::string> asked_;             // paths whose answers are due, in order
  std::map<std::string, std::string> known_;  // each path's last answer or write
  std::set<std::string> staleAnswers_;        // written after they were asked
  std::vector<std::string> polled_;           // the paths asked every tick
  std::string version_;
  int openPhases_ = 0;
};

}  // namespace qv
