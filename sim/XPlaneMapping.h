#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// Where one row of the data definition comes from in X-Plane: a dataref
// times a factor, or a constant.
struct DatarefSource {
  std::string path;  // empty with no constant: the value stays 0
  double scale = 1.0;
  std::optional<double> constant;
};

// One dataref write that a direct event makes.
struct DatarefWrite {
  std::string path;
  bool toggle = false;          // write the inverse of the dataref's state
  std::optional<double> value;  // a fixed value, else the event's data
  double divide = 1.0;          // the event's data is divided by this
};

// The "xplane" section of the simulators' mapping files: the port X-Plane
// listens on, row k of the data definition (0 the title) and the writes of
// each event name.
struct XPlaneMapping {
  // Reads the section's generic entries from each file in order; later
  // files replace entries of the same name. A missing file is skipped; a
  // file that cannot be read adds a line naming it and the reason to
  // `errors`, and adds nothing.
  static XPlaneMapping load(const std::vector<std::string>& files,
                            std::vector<std::string>& errors);

  uint16_t port = 0;
  std::array<DatarefSource, 24> data;
  std::map<std::string, std::vector<DatarefWrite>, std::less<>> events;
};

}  // namespace qv
