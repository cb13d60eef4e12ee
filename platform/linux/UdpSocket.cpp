#include "platform/UdpSocket.h"

#include <sys/socket.h>
#include <unistd.h>

#include "platform/LoopbackAddress.h"

namespace qv {

using net::loopback;
using net::transferResult;

UdpSocket::~UdpSocket() {
  close();
}

bool UdpSocket::open(uint16_t port) {
  close();
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    return false;
  }
  const sockaddr_in address = loopback(port);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

void UdpSocket::close() {
  if (handle_ != kNoSocket) {
    ::close(static_cast<int>(handle_));
  }
  handle_ = kNoSocket;
}

uint16_t UdpSocket::port() const {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  if (handle_ == kNoSocket ||
      getsockname(static_cast<int>(handle_), reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    return 0;
  }
  return ntohs(address.sin_port);
}

long UdpSocket::sendTo(uint16_t peerPort, const void* data, size_t size) {
  const sockaddr_in address = loopback(peerPort);
  return transferResult(sendto(static_cast<int>(handle_), data, size, MSG_DONTWAIT,
                               reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

long UdpSocket::receiveFrom(void* data, size_t size, uint16_t& peerPort) {
  sockaddr_in address{};
  socklen_t addressSize = sizeof address;
  const ssize_t received = recvfrom(static_cast<int>(handle_), data, size, MSG_DONTWAIT,
                                    reinterpret_cast<sockaddr*>(&address), &addressSize);
  peerPort = ntohs(address.sin_port);
  return transferResult(received);
}

}  // namespace qv
