#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

class TSimCon;

// One direct event as the direct-event table gives it: its row (the client
// event id the client library maps it under), the simulator event's name
// ("TOGGLE_MASTER_BATTERY", "COWLFLAP2_SET", ...) and the data it carries.
// A toggle row carries 0 and is sent only when the aircraft's state differs
// from the switch, so a connection carries a toggle out as "invert it".
struct DirectEvent {
  uint32_t row = 0;
  std::string_view name;
  uint32_t value = 0;
};

// A connection to one kind of simulator, as the simulator link drives it on
// the main thread. No call waits on the simulator for more than a few
// milliseconds: a request goes out and its answer is taken in a later call.
class SimulatorConnection {
 public:
  enum class Opening {
    Answered,  // the simulator answered: the connection is open
    Waiting,   // asked, no answer yet; call again in the next connect phase
    Failed,    // nothing there now; the next call starts a new attempt
  };

  virtual ~SimulatorConnection() = default;

  // One step of opening, made once per connect phase while the link looks
  // for a simulator.
  virtual Opening open(TSimCon& con) = 0;
  // Once per tick while open: takes what the simulator sent into con (Title,
  // and the Value of PlaneData entries 1 to 23 in the data definition's
  // units: positions 0 or 1, gear in percent, the number of engines) and
  // sends the next requests. False once the simulator has gone.
  virtual bool exchange(TSimCon& con) = 0;
  // Carries out one direct event.
  virtual void send(TSimCon& con, const DirectEvent& event) = 0;
  // Closes the connection, or gives up an open in progress.
  virtual void close(TSimCon& con) = 0;
  // The simulator's name and version as far as it has told them; empty
  // before it has.
  [[nodiscard]] virtual std::string simulatorName(const TSimCon& con) const = 0;
};

}  // namespace qv
