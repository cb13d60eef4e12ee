#include "platform/UdpSocket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/LoopbackAddress.h"

namespace qv {

using net::loopback;
using net::transferResult;

namespace {

SOCKET socketOf(std::intptr_t handle) {
  return static_cast<SOCKET>(handle);
}

}  // namespace

UdpSocket::~UdpSocket() {
  close();
}

bool UdpSocket::open(uint16_t port) {
  close();
  if (!net::start()) {
    return false;
  }
  const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  const sockaddr_in address = loopback(port);
  u_long nonBlocking = 1;
  if (socket == INVALID_SOCKET || ioctlsocket(socket, FIONBIO, &nonBlocking) != 0 ||
      bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    if (socket != INVALID_SOCKET) {
      closesocket(socket);
    }
    net::finish();
    return false;
  }
  handle_ = static_cast<std::intptr_t>(socket);
  return true;
}

void UdpSocket::close() {
  if (handle_ != kNoSocket) {
    closesocket(socketOf(handle_));
    net::finish();
  }
  handle_ = kNoSocket;
}

uint16_t UdpSocket::port() const {
  sockaddr_in address{};
  int size = sizeof address;
  if (handle_ == kNoSocket ||
      getsockname(socketOf(handle_), reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    return 0;
  }
  return ntohs(address.sin_port);
}

long UdpSocket::sendTo(uint16_t peerPort, const void* data, size_t size) {
  const sockaddr_in address = loopback(peerPort);
  return transferResult(sendto(socketOf(handle_), static_cast<const char*>(data),
                               static_cast<int>(size), 0,
                               reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

long UdpSocket::receiveFrom(void* data, size_t size, uint16_t& peerPort) {
  for (;;) {
    sockaddr_in address{};
    int addressSize = sizeof address;
    const int received =
        recvfrom(socketOf(handle_), static_cast<char*>(data), static_cast<int>(size), 0,
                 reinterpret_cast<sockaddr*>(&address), &addressSize);
    peerPort = ntohs(address.sin_port);
    // Winsock reports an earlier datagram's "port unreachable" here (no
    // listener yet), and a datagram longer than the buffer as an error:
    // neither ends the socket.
    if (received == SOCKET_ERROR && WSAGetLastError() == WSAECONNRESET) {
      continue;
    }
    if (received == SOCKET_ERROR && WSAGetLastError() == WSAEMSGSIZE) {
      return static_cast<long>(size);
    }
    return transferResult(received);
  }
}

}  // namespace qv
