#include "standin/StandinProtocol.h"

namespace qv::standin {

net::Endpoint simulatorEndpoint() {
  return {true, portFromEnvironment().value_or(kDefaultTcpPort), {}};
}

}  // namespace qv::standin
