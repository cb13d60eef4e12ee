// The stand-in simulator under load: clients that send without pause, a
// process out of descriptors, and definitions too large for one message.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "sim/SimConnectApi.h"
#include "standin/Aircraft.h"
#include "standin/Channel.h"
#include "standin/ClientSession.h"
#include "standin/StandinProtocol.h"
#include "standin/StandinServer.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using standin::Op;
using standin::Request;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

Request request(Op op, uint32_t first = 0, uint32_t second = 0, const char* text = "") {
  Request made;
  made.op = op;
  made.args[0] = first;
  made.args[1] = second;
  std::strncpy(made.text1, text, sizeof made.text1 - 1);
  return made;
}

std::span<const uint8_t> bytesOf(const Request& made) {
  return {reinterpret_cast<const uint8_t*>(&made), sizeof made};
}

size_t count(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++found;
  }
  return found;
}

// Fifteen texts of 256 bytes fit in a data message; the sixteenth would make
// it 4136 bytes, which the client library would not take.
TEST(StandinSession, NoMessageIsLargerThanTheClientLibraryTakes) {
  standin::Aircraft aircraft{1, "Test", true};
  std::ostringstream out;
  std::vector<std::vector<uint8_t>> sent;
  standin::ClientSession session(aircraft, out,
                                 [&](const auto& message) { sent.push_back(message); });
  for (uint32_t datum = 0; datum < 16; ++datum) {
    Request add = request(Op::AddToDataDefinition, 0, simconnect::kDataTypeString256, "Title");
    add.sendId = datum;
    ASSERT_TRUE(session.receive(bytesOf(add)));
  }
  Request data = request(Op::RequestDataOnSimObjectType, 7, 0);
  ASSERT_TRUE(session.receive(bytesOf(data)));
  ASSERT_EQ(sent.size(), 2U);
  uint32_t refused = 0;
  std::memcpy(&refused, sent[0].data() + simconnect::kExceptionSendId, sizeof refused);
  EXPECT_EQ(sent[0][8], simconnect::kRecvException);
  EXPECT_EQ(refused, 15U);
  EXPECT_EQ(sent[1].size(), simconnect::kDataStart + 15 * simconnect::kNameSize);
  EXPECT_LE(sent[1].size(), standin::kLargestMessage);
}

// A server on a socket of its own, run on the test's thread; the condition
// it is given is asked on every round.
class StandinServerRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server.listen({false, 0, path}, error)) << error;
  }
  void TearDown() override { fs::remove_all(fs::path(path).parent_path()); }

  // A client waiting to be accepted, that sends without blocking.
  int connectClient() {
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK, 0);
    sockaddr_un address{AF_UNIX, {}};
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    return fd;
  }
  static bool sendRequest(int fd, const Request& made) {
    return send(fd, &made, sizeof made, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof made);
  }

  std::string path = fs::path(mkdtemp(std::string("/tmp/qv-standin-XXXXXX").data())) / "sim.sock";
  std::ostringstream out;
  standin::Aircraft aircraft{1, "Test", true};
  standin::StandinServer server{aircraft, out};
};

TEST_F(StandinServerRun, AClientThatKeepsSendingDoesNotHoldUpTheOthers) {
  const int busy = connectClient();
  const int other = connectClient();
  ASSERT_TRUE(
      sendRequest(busy, request(Op::MapClientEventToSimEvent, 1, 0, "TOGGLE_MASTER_BATTERY")));
  size_t queued = 0;
  while (queued < 5000 && sendRequest(busy, request(Op::TransmitClientEvent, 0, 1))) {
    ++queued;
  }
  ASSERT_GT(queued, 100U);
  ASSERT_TRUE(sendRequest(other, request(Op::MapClientEventToSimEvent, 1, 0, "GEAR_UP")));
  ASSERT_TRUE(sendRequest(other, request(Op::TransmitClientEvent, 0, 1)));

  const auto deadline = Clock::now() + 5s;
  server.run([&] {
    return out.str().find("gear moving up") != std::string::npos || Clock::now() > deadline;
  });
  const std::string served = out.str();
  ASSERT_NE(served.find("gear moving up"), std::string::npos) << served;
  EXPECT_LT(count(served.substr(0, served.find("gear moving up")), "ELECTRICAL MASTER BATTERY"),
            64U)
      << "of " << queued << " queued by the busy client";
}

// With no descriptor left, the waiting client keeps the listener readable;
// the server waits rather than spin, and takes the client once it can.
TEST_F(StandinServerRun, OutOfDescriptorsTheServerWaitsAndTakesTheClientLater) {
  ASSERT_TRUE(sendRequest(connectClient(), request(Op::Open, 0, 0, "late")));
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &before), 0);
  const rlimit low{64, before.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
  std::vector<int> spent;
  for (int fd = open("/dev/null", O_RDONLY); fd >= 0; fd = open("/dev/null", O_RDONLY)) {
    spent.push_back(fd);
  }
  const auto freeDescriptors = [&] {
    for (const int fd : spent) {
      close(fd);
    }
    spent.clear();
    setrlimit(RLIMIT_NOFILE, &before);
  };
  ASSERT_FALSE(spent.empty());
  const auto start = Clock::now();
  int roundsWithoutDescriptors = 0;
  server.run([&] {
    if (!spent.empty()) {
      ++roundsWithoutDescriptors;
      if (Clock::now() - start > 500ms) {
        freeDescriptors();
      }
    }
    return out.str().find("client connected: late") != std::string::npos ||
           Clock::now() - start > 5s;
  });
  freeDescriptors();
  // A round waits 10 ms when nothing is to be done: about 50 in 500 ms.
  EXPECT_LT(roundsWithoutDescriptors, 150);
  EXPECT_NE(out.str().find("client connected: late"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace qv
