#include <unistd.h>

#include <cstdlib>

#include "standin/StandinProtocol.h"

namespace qv::standin {

namespace {

const char* setVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

std::string privateSocketFolder() {
  if (setVariable("QV_STANDIN_SOCKET") != nullptr || setVariable("XDG_RUNTIME_DIR") != nullptr) {
    return {};
  }
  return "/tmp/quorvane-standin-" + std::to_string(getuid());
}

std::string socketPath() {
  if (const char* path = setVariable("QV_STANDIN_SOCKET")) {
    return path;
  }
  if (const char* runtime = setVariable("XDG_RUNTIME_DIR")) {
    return std::string(runtime) + "/quorvane-standin.sock";
  }
  return privateSocketFolder() + "/quorvane-standin.sock";
}

net::Endpoint simulatorEndpoint() {
  if (const std::optional<uint16_t> port = portFromEnvironment()) {
    return {true, *port, {}};
  }
  return {false, 0, socketPath()};
}

}  // namespace qv::standin
