#include <sys/socket.h>

#include "standin/StandinProtocol.h"

namespace qv::standin {

std::optional<unsigned> peerUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer) {
    return std::nullopt;
  }
  return peer.uid;
}

}  // namespace qv::standin
