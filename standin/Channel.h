#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Sockets.h"

namespace qv::standin {

// One end of a connection between the stand-in library and the simulator,
// carrying whole packets over a packet socket (one packet per send) or over
// a TCP stream (packets cut out by their length). Never blocks.
class Channel {
 public:
  // The length of the packet that starts with `bytes` (`size` of them are
  // there), 0 while too few bytes are there to tell; a length too small or
  // too large for a packet breaks the stream.
  using FrameLength = size_t (*)(const uint8_t* bytes, size_t size);

  Channel(net::Handle socket, bool stream, FrameLength frameLength);
  ~Channel();
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  // Sends one packet whole. A peer that does not read loses packets (false)
  // rather than holding the caller; on a stream, the bytes that did not fit
  // are kept and sent first by the next send or flush(), so no packet is
  // ever cut.
  bool send(const void* data, size_t size);
  void flush();
  // The next whole packet received, none while none is complete.
  std::optional<std::vector<uint8_t>> receive();
  // The peer has gone, or its stream broke.
  [[nodiscard]] bool closed() const { return closed_; }
  [[nodiscard]] net::Handle socket() const { return socket_; }

 private:
  std::optional<std::vector<uint8_t>> cutPacket();

  net::Handle socket_;
  bool stream_;
  FrameLength frameLength_;
  bool closed_ = false;
  std::vector<uint8_t> unsent_;
  std::vector<uint8_t> received_;
};

// Frame lengths: a request is one Request; a message carries its size in
// its header's first word.
size_t requestLength(const uint8_t* bytes, size_t size);
size_t messageLength(const uint8_t* bytes, size_t size);

inline constexpr size_t kLargestMessage = 4096;

}  // namespace qv::standin
