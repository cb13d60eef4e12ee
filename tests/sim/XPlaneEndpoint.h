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
  // One answer with these pairs and `strayBytes` more.
  void sendPairs(const std::vector<std::pair<int32_t, float>>& pairs, size_t strayBytes = 0);
  // Sets the title dataref's bytes, closing zero included.
  void setTitle(std::string_view title);

  std::map<std::string, float> datarefs;
  std::map<int32_t, std::string> subscriptions;
  std::map<std::string, std::vector<float>> writes;  // each path's, in order
  size_t writeCount = 0;
  int loseRequests = 0;
  int malformed = 0;

 private:
  UdpSocket socket_;
  uint16_t client_ = 0;
};

}  // namespace qv::test
