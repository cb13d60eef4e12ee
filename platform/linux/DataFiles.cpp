#include "platform/DataFiles.h"

#include <unistd.h>

#include <array>
#include <cstdlib>

namespace qv {

std::string executableDirectory() {
  std::array<char, 4096> path{};
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) {
    return {};
  }
  const std::string exe(path.data(), static_cast<size_t>(length));
  return exe.substr(0, exe.rfind('/') + 1);
}

namespace {

std::string configurationFolder() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != 0) {
    return std::string(config) + "/quorvane/";
  }
  const char* home = std::getenv("HOME");
  return home == nullptr ? std::string() : std::string(home) + "/.config/quorvane/";
}

}  // namespace

std::vector<std::string> simulatorMappingFiles() {
  const std::string program = executableDirectory();
  std::vector<std::string> files;
  // Installed under /usr/share; in a build folder beside the program.
  files.push_back(program + "../share/quorvane/simulators.json");
  files.push_back(program + "simulators.json");
  if (const std::string user = configurationFolder(); !user.empty()) {
    files.push_back(user + "simulators.json");
  }
  return files;
}

}  // namespace qv
