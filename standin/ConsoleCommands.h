#pragma once

#include <ostream>
#include <string>

namespace qv::standin {

class Aircraft;

// Commands typed to the running simulator, one a line, on a descriptor that
// is read without waiting: "title TEXT" gives the aircraft a new title. The
// end of the input stops the reading, never the simulator.
class ConsoleCommands {
 public:
  explicit ConsoleCommands(int fd) : fd_(fd) {}

  // Carries out every whole line that has arrived, saying on `out` what
  // each did.
  void serve(Aircraft& aircraft, std::ostream& out);

 private:
  int fd_;
  std::string partial_;
};

}  // namespace qv::standin
