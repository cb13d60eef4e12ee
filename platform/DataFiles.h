#pragma once

#include <string>
#include <vector>

namespace qv {

// The simulator mapping files in the order they are read: the one the
// program is installed with, then the user's own in the configuration
// folder, which adds aircraft and replaces entries.
std::vector<std::string> simulatorMappingFiles();

// The folder of the running program, ending in its separator; empty when the
// system does not say.
std::string executableDirectory();

}  // namespace qv
