#pragma once

#include <string>
#include <vector>

namespace qv {

// The simulator mapping files in the order they are read: the one the
// program is installed with, then the user's own in the configuration
// folder, which adds aircraft and replaces entries.
std::vector<std::string> simulatorMappingFiles();

}  // namespace qv
