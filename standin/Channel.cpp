#include "standin/Channel.h"

#include "standin/StandinProtocol.h"

namespace qv::standin {

namespace {

// What a stream keeps for a peer that does not read before it drops
// packets: a few seconds of "6Hz" events and data.
constexpr size_t kLargestBacklog = size_t{64} * 1024;
constexpr size_t kHeaderSize = 12;

}  // namespace

size_t requestLength(const uint8_t* /*bytes*/, size_t /*size*/) {
  return sizeof(Request);
}

size_t messageLength(const uint8_t* bytes, size_t size) {
  if (size < 4) {
    return 0;
  }
  const uint32_t length =
      bytes[0] | (bytes[1] << 8U) | (bytes[2] << 16U) | (static_cast<uint32_t>(bytes[3]) << 24U);
  // A length outside these bounds can only come from a broken stream.
  return length >= kHeaderSize && length <= kLargestMessage ? length : SIZE_MAX;
}

Channel::Channel(net::Handle socket, bool stream, FrameLength frameLength)
    : socket_(socket), stream_(stream), frameLength_(frameLength) {}

Channel::~Channel() {
  net::closeSocket(socket_);
}

bool Channel::send(const void* data, size_t size) {
  if (closed_) {
    return false;
  }
  if (!stream_) {
    return net::sendSome(socket_, data, size) == static_cast<long>(size);
  }
  flush();
  if (unsent_.size() + size > kLargestBacklog) {
    return false;
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  unsent_.insert(unsent_.end(), bytes, bytes + size);
  flush();
  return !closed_;
}

void Channel::flush() {
  while (!unsent_.empty() && !closed_) {
    const long sent = net::sendSome(socket_, unsent_.data(), unsent_.size());
    if (sent == net::kWouldBlock) {
      return;
    }
    if (sent <= 0) {
      closed_ = true;
      return;
    }
    unsent_.erase(unsent_.begin(), unsent_.begin() + sent);
  }
}

std::optional<std::vector<uint8_t>> Channel::receive() {
  if (auto packet = cutPacket()) {
    return packet;
  }
  std::vector<uint8_t> buffer(kLargestMessage);
  while (!closed_) {
    const long length = net::receiveSome(socket_, buffer.data(), buffer.size());
    if (length == net::kWouldBlock) {
      return std::nullopt;
    }
    if (length <= 0) {
      closed_ = true;
      return std::nullopt;
    }
    buffer.resize(static_cast<size_t>(length));
    if (!stream_) {
      return buffer;
    }
    received_.insert(received_.end(), buffer.begin(), buffer.end());
    buffer.resize(kLargestMessage);
    if (auto packet = cutPacket()) {
      return packet;
    }
  }
  return std::nullopt;
}

std::optional<std::vector<uint8_t>> Channel::cutPacket() {
  const size_t length = frameLength_(received_.data(), received_.size());
  if (length == SIZE_MAX) {
    closed_ = true;
    return std::nullopt;
  }
  if (length == 0 || received_.size() < length) {
    return std::nullopt;
  }
  std::vector<uint8_t> packet(received_.begin(),
                              received_.begin() + static_cast<std::ptrdiff_t>(length));
  received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(length));
  return packet;
}

}  // namespace qv::standin
