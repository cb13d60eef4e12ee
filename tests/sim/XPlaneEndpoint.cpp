#include "tests/sim/XPlaneEndpoint.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace qv::test {

namespace {

uint32_t littleEndian(const uint8_t* at) {
  return at[0] | (at[1] << 8U) | (at[2] << 16U) | (static_cast<uint32_t>(at[3]) << 24U);
}

void append(std::vector<uint8_t>& datagram, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    datagram.push_back(static_cast<uint8_t>(value >> shift));
  }
}

std::string zeroEnded(const uint8_t* at, size_t field) {
  return {reinterpret_cast<const char*>(at), strnlen(reinterpret_cast<const char*>(at), field - 1)};
}

}  // namespace

XPlaneEndpoint::XPlaneEndpoint() {
  EXPECT_TRUE(socket_.open());
}

void XPlaneEndpoint::serve() {
  std::vector<uint8_t> in(2048);
  uint16_t sender = 0;
  for (long size = 0; (size = socket_.receiveFrom(in.data(), in.size(), sender)) >= 0;) {
    if (loseRequests > 0) {
      --loseRequests;
    } else if (size == 413 && std::memcmp(in.data(), "RREF", 5) == 0) {
      const auto index = static_cast<int32_t>(littleEndian(&in[9]));
      if (littleEndian(&in[5]) == 0) {
        subscriptions.erase(index);
      } else {
        subscriptions[index] = zeroEnded(&in[13], 400);
        client_ = sender;
      }
    } else if (size == 509 && std::memcmp(in.data(), "DREF", 5) == 0) {
      const std::string path = zeroEnded(&in[9], 500);
      datarefs[path] = std::bit_cast<float>(littleEndian(&in[5]));
      writes[path].push_back(datarefs[path]);
      ++writeCount;
    } else {
      ++malformed;
    }
  }
}

void XPlaneEndpoint::answer(size_t perDatagram) {
  std::vector<std::vector<std::pair<int32_t, float>>> datagrams;
  for (const auto& [index, name] : subscriptions) {
    if (datagrams.empty() || datagrams.back().size() == perDatagram) {
      datagrams.emplace_back();
    }
    datagrams.back().emplace_back(index, datarefs[name]);
  }
  for (auto pairs = datagrams.rbegin(); pairs != datagrams.rend(); ++pairs) {
    sendPairs(*pairs);
  }
}

void XPlaneEndpoint::sendPairs(const std::vector<std::pair<int32_t, float>>& pairs,
                               size_t strayBytes) {
  std::vector<uint8_t> datagram{'R', 'R', 'E', 'F', ','};
  for (const auto& [index, value] : pairs) {
    append(datagram, static_cast<uint32_t>(index));
    append(datagram, std::bit_cast<uint32_t>(value));
  }
  datagram.resize(datagram.size() + strayBytes, 0x7F);
  EXPECT_EQ(socket_.sendTo(client_, datagram.data(), datagram.size()),
            static_cast<long>(datagram.size()));
}

void XPlaneEndpoint::setTitle(std::string_view title) {
  for (size_t byte = 0; byte <= title.size(); ++byte) {
    datarefs["sim/aircraft/view/acf_descrip[" + std::to_string(byte) + "]"] =
        byte < title.size() ? static_cast<float>(static_cast<uint8_t>(title[byte])) : 0.0F;
  }
}

}  // namespace qv::test
