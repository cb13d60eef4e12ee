#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UdpSocket.h"

namespace qv::test {

// X-Plane's UDP dataref interface, written from its documentation alone
// (little-endian): subscribe "RREF\0", int32 rate (0 stops), int32 index,
// char[400] name, 413 bytes; answer "RREF" and one byte, then {int32
// index, float32 value} pairs; write "DREF\0", float32 value, char[500]
// path, 509 bytes. Any other request is counted as malformed.
class XPlaneEndpoint {
 public:
  XPlaneEndpoint();
  [[nodiscard]] uint16_t port() const { return socket_.port(); }

  // Takes every request that has arrived; the first `loseRequests` of them
  // are lost on the way.
  void serve();
  // Sends every subscription's value, `perDatagram` pairs to a datagram, the
  // datagrams in reverse order.
  void answer(size_t perDatagram);
  void send(const std::vector<uint8_t>& datagram);
  // Sets the title dataref's bytes, closing zero included.
  void setTitle(std::string_view title);
  // The written values of `path`, in order.
  [[nodiscard]] std::vector<float> writesTo(const std::string& path) const;

  std::map<std::string, float> datarefs;
  std::map<int32_t, std::string> subscriptions;
  std::vector<std::pair<std::string, float>> writes;
  int loseRequests = 0;
  int malformed = 0;

 private:
  UdpSocket socket_;
  uint16_t client_ = 0;
};

}  // namespace qv::test
