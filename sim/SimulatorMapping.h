#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Where one row of the data definition comes from in a simulator: a
// property (or dataref) times a factor, or a constant.
struct DataSource {
  std::string path;  // empty with no constant: the value stays 0
  double scale = 1.0;
  std::optional<double> constant;
};

// One write that a direct event makes.
struct PropertyWrite {
  std::string path;
  bool toggle = false;          // write the inverse of the property's state
  std::optional<double> value;  // a fixed value, else the event's data
  double divide = 1.0;          // the event's data is divided by this
};

// The mapping for one aircraft: row k of the data definition (0 the title)
// and the writes of each event name.
struct AircraftMapping {
  std::array<DataSource, 24> data;
  std::map<std::string, std::vector<PropertyWrite>, std::less<>> events;
};

// One simulator's table from the mapping files: generic entries, then
// per-aircraft overrides chosen by the aircraft's name.
class SimulatorMapping {
 public:
  // Reads the simulator's section of each file in order: later files add
  // overrides and replace generic entries of the same name. A missing file
  // is skipped; a file that cannot be read adds a line to `errors` naming it
  // and the reason, and adds nothing.
  static SimulatorMapping load(const std::vector<std::string>& files, std::string_view simulator,
                               std::vector<std::string>& errors);

  // The generic entries with every override whose aircraft name is a
  // prefix of `aircraft` laid over them, in file order.
  [[nodiscard]] AircraftMapping forAircraft(std::string_view aircraft) const;

  uint16_t port = 0;
  std::string aircraftPath;  // the property naming the aircraft
  std::string versionPath;   // the property holding the simulator's version

  struct Layer {
    std::vector<std::string> aircraft;  // empty: every aircraft
    std::map<std::string, DataSource> data;
    std::map<std::string, std::vector<PropertyWrite>> events;
  };

 private:
  std::vector<Layer> layers_;
};

}  // namespace qv
