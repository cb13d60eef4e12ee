#include <unistd.h>

#include <cstdlib>

#include "standin/StandinProtocol.h"

namespace qv::standin {

std::string socketPath() {
  if (const char* path = std::getenv("QV_STANDIN_SOCKET"); path != nullptr && *path != '\0') {
    return path;
  }
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
      runtime != nullptr && *runtime != '\0') {
    return std::string(runtime) + "/quorvane-standin.sock";
  }
  return "/tmp/quorvane-standin-" + std::to_string(getuid()) + ".sock";
}

}  // namespace qv::standin
