#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Sockets.h"

namespace qv {

// A non-blocking UDP socket on 127.0.0.1, talking to peers on the same
// machine by port. One file per platform: POSIX sockets, Winsock.
class UdpSocket {
 public:
  static constexpr long kWouldBlock = net::kWouldBlock;
  static constexpr long kFailed = net::kFailed;

  UdpSocket() = default;
  ~UdpSocket();
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // Binds to `port` (0: a free one); false, and closed, when that fails.
  bool open(uint16_t port = 0);
  void close();
  [[nodiscard]] bool isOpen() const { return handle_ != kNoSocket; }
  // The bound port, 0 when closed.
  [[nodiscard]] uint16_t port() const;

  // Bytes sent (a datagram goes whole or not at all), or kWouldBlock/kFailed.
  long sendTo(uint16_t peerPort, const void* data, size_t size);
  // The size of the next waiting datagram (cut to `size`) and its sender's
  // port, or kWouldBlock when none waits, or kFailed.
  long receiveFrom(void* data, size_t size, uint16_t& peerPort);

 private:
  static constexpr std::intptr_t kNoSocket = -1;
  std::intptr_t handle_ = kNoSocket;
};

}  // namespace qv
