// The stand-in pair's TCP side: packets over a stream, and a simulator
// that only loopback can reach.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/Sockets.h"
#include "sim/SimConnectApi.h"
#include "standin/Aircraft.h"
#include "standin/Channel.h"
#include "standin/MessageBuilder.h"
#include "standin/StandinProtocol.h"
#include "standin/StandinServer.h"

namespace qv {
namespace {

using standin::Channel;

// Both ends of a TCP connection on loopback, the far one as a plain
// descriptor.
// A listener on a free loopback port with a queue of `backlog`; `address`
// is where it listens.
void listenOnLoopback(int backlog, int& listener, sockaddr_in& address) {
  listener = socket(AF_INET, SOCK_STREAM, 0);
  address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, backlog), 0);
  ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
}

struct StreamPair {
  StreamPair() {
    int listener = -1;
    sockaddr_in address{};
    listenOnLoopback(1, listener, address);
    near = socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_EQ(connect(near, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    far = accept(listener, nullptr, nullptr);
    close(listener);
    EXPECT_EQ(fcntl(near, F_SETFL, O_NONBLOCK), 0);
    EXPECT_EQ(fcntl(far, F_SETFL, O_NONBLOCK), 0);
  }
  ~StreamPair() { close(far); }
  int near = -1;
  int far = -1;
};

std::vector<uint8_t> eventMessage(uint32_t id) {
  return standin::MessageBuilder(simconnect::kRecvEvent, simconnect::kEventSize)
      .u32(simconnect::kEventId, id)
      .bytes();
}

uint32_t eventIdOf(const std::vector<uint8_t>& message) {
  uint32_t id = 0;
  std::memcpy(&id, message.data() + simconnect::kEventId, sizeof id);
  return id;
}

TEST(StandinStream, MessagesAreCutFromTheStreamByTheirSize) {
  StreamPair pair;
  Channel channel(pair.near, true, standin::messageLength);
  std::vector<uint8_t> bytes = eventMessage(1);
  const std::vector<uint8_t> second = eventMessage(2);
  bytes.insert(bytes.end(), second.begin(), second.end());

  ASSERT_EQ(write(pair.far, bytes.data(), 30), 30);
  usleep(20'000);
  const auto first = channel.receive();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->size(), simconnect::kEventSize);
  EXPECT_EQ(eventIdOf(*first), 1U);
  EXPECT_FALSE(channel.receive().has_value()) << "half a message waits for its rest";

  ASSERT_EQ(write(pair.far, bytes.data() + 30, bytes.size() - 30),
            static_cast<ssize_t>(bytes.size() - 30));
  usleep(20'000);
  const auto rest = channel.receive();
  ASSERT_TRUE(rest.has_value());
  EXPECT_EQ(eventIdOf(*rest), 2U);
  EXPECT_FALSE(channel.closed());

  const std::vector<uint8_t> broken{5, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0};
  ASSERT_EQ(write(pair.far, broken.data(), broken.size()), 12);
  usleep(20'000);
  EXPECT_FALSE(channel.receive().has_value());
  EXPECT_TRUE(channel.closed()) << "a size no message has breaks the stream";
}

TEST(StandinStream, OnlySizesAMessageCanHaveAreTakenFromAHeader) {
  const auto stated = [](uint32_t size) {
    uint8_t header[4];
    std::memcpy(header, &size, sizeof header);
    return standin::messageLength(header, sizeof header);
  };
  EXPECT_EQ(stated(simconnect::kHeaderSize), simconnect::kHeaderSize);
  EXPECT_EQ(stated(standin::kLargestMessage), standin::kLargestMessage);
  EXPECT_EQ(stated(standin::kLargestMessage + 1), SIZE_MAX);
  EXPECT_EQ(stated(simconnect::kHeaderSize - 1), SIZE_MAX);
}

TEST(StandinStream, PeerThatDoesNotReadLosesWholeMessagesNeverParts) {
  StreamPair pair;
  const int small = 4096;
  ASSERT_EQ(setsockopt(pair.near, SOL_SOCKET, SO_SNDBUF, &small, sizeof small), 0);
  Channel sender(pair.near, true, standin::messageLength);
  uint32_t sent = 0;
  int lost = 0;
  for (uint32_t id = 1; id <= 20'000; ++id) {
    if (sender.send(eventMessage(id).data(), simconnect::kEventSize)) {
      sent = id;
    } else {
      ++lost;
    }
  }
  ASSERT_GT(lost, 0) << "the backlog is bounded";
  EXPECT_FALSE(sender.closed());

  Channel receiver(pair.far, true, standin::messageLength);
  pair.far = dup(pair.far);  // the receiver closes its own copy
  uint32_t last = 0;
  for (int round = 0; round < 1000 && last < sent; ++round) {
    sender.flush();
    while (const auto message = receiver.receive()) {
      ASSERT_EQ(message->size(), simconnect::kEventSize);
      ASSERT_GT(eventIdOf(*message), last) << "in order";
      last = eventIdOf(*message);
    }
  }
  EXPECT_EQ(last, sent) << "every message taken into the backlog arrives whole";
  EXPECT_FALSE(receiver.closed());
}

// The simulator's listening socket in /proc/net/tcp: "local_address state".
std::vector<std::string> listenersOnPort(uint16_t port) {
  std::ifstream table("/proc/net/tcp");
  std::vector<std::string> found;
  std::string line;
  std::getline(table, line);
  char hexPort[8];
  std::snprintf(hexPort, sizeof hexPort, ":%04X", port);
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string slot;
    std::string local;
    std::string remote;
    std::string state;
    fields >> slot >> local >> remote >> state;
    if (local.ends_with(hexPort) && state == "0A") {
      found.push_back(local);
    }
  }
  return found;
}

TEST(StandinTcpServer, ListensOnLoopbackAloneAndNotOverAnother) {
  std::ostringstream out;
  standin::Aircraft aircraft{1, "Test", true};
  standin::StandinServer server(aircraft, out);
  std::string error;
  ASSERT_TRUE(server.listen({true, 0, {}}, error)) << error;
  const uint16_t port = server.endpoint().port;
  ASSERT_NE(port, 0);
  EXPECT_EQ(listenersOnPort(port), std::vector<std::string>{"0100007F:" + [port] {
              char hex[8];
              std::snprintf(hex, sizeof hex, "%04X", port);
              return std::string(hex);
            }()});

  standin::StandinServer second(aircraft, out);
  EXPECT_FALSE(second.listen({true, port, {}}, error));
  EXPECT_EQ(error,
            "cannot listen on 127.0.0.1:" + std::to_string(port) + ": Address already in use");
}

TEST(StandinTcpServer, PortsAreWholeNumbersInRange) {
  EXPECT_EQ(standin::parsePort("47861", false), 47861);
  EXPECT_EQ(standin::parsePort("65535", false), 65535);
  EXPECT_EQ(standin::parsePort("0", true), 0);
  for (const char* bad : {"0", "65536", "", "12ab", "-1", " 80"}) {
    EXPECT_FALSE(standin::parsePort(bad, false).has_value()) << bad;
  }
  setenv("QV_STANDIN_PORT", "http", 1);
  EXPECT_EQ(standin::portFromEnvironment(), 0) << "set but not a port: nothing to reach";
  unsetenv("QV_STANDIN_PORT");
  EXPECT_FALSE(standin::portFromEnvironment().has_value());
}

// A simulator whose connection queue is full (busy, stopped) is not waited
// for on the main thread: the connection is handed over while still being
// made, and reads find nothing until the simulator takes it.
TEST(StandinTcpServer, AConnectionTheServerHasNotTakenYetIsNotWaitedFor) {
  int listener = -1;
  sockaddr_in address{};
  ASSERT_NO_FATAL_FAILURE(listenOnLoopback(0, listener, address));
  std::vector<int> queued;
  while (queued.size() < 8) {
    queued.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
    if (connect(queued.back(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      break;  // the queue is full
    }
  }
  const net::Handle pending = net::beginConnect(ntohs(address.sin_port));
  ASSERT_NE(pending, net::kNoSocket);
  std::array<char, 16> buffer{};
  EXPECT_EQ(net::receiveSome(pending, buffer.data(), buffer.size()), net::kWouldBlock);
  net::closeSocket(pending);
  for (const int fd : queued) {
    close(fd);
  }
  close(listener);
}

}  // namespace
}  // namespace qv
