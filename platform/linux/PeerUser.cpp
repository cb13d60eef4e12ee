#include <sys/socket.h>

#include "platform/linux/SocketFile.h"

namespace qv::net {

std::optional<unsigned> peerUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer) {
    return std::nullopt;
  }
  return peer.uid;
}

}  // namespace qv::net
