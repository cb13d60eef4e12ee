// What the stand-in pair trusts at its socket path and at the other end of
// the socket.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "platform/linux/SocketFile.h"
#include "sim/SimConnect.h"
#include "sim/SimConnectApi.h"
#include "standin/Aircraft.h"
#include "standin/MessageBuilder.h"
#include "standin/StandinProtocol.h"
#include "standin/StandinServer.h"
#include "tests/sim/StandinProcess.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 65534;
constexpr char kGivingAwayNeedsRoot[] = "giving a file to another user (uid 65534) needs root";

sockaddr_un addressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  return address;
}

// A socket file with no process behind it, as a killed stand-in leaves.
void makeStaleSocket(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET, 0);
  const sockaddr_un address = addressOf(path);
  ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  close(fd);
}

// A connected socket, or -1.
int connectTo(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET, 0);
  const sockaddr_un address = addressOf(path);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool listening(const std::string& path) {
  const int fd = connectTo(path);
  close(fd);
  return fd >= 0;
}

enum OpenAsked { kAnswered = 0, kUnanswered = 1, kNotConnected = 2 };

// Sends an open request the way the client library does and waits for any
// answer.
OpenAsked askOpen(const std::string& path) {
  const int fd = connectTo(path);
  if (fd < 0) {
    return kNotConnected;
  }
  const standin::Request request;
  static_cast<void>(send(fd, &request, sizeof request, MSG_NOSIGNAL));
  pollfd waiting{fd, POLLIN, 0};
  char answer[16];
  const bool answered =
      poll(&waiting, 1, 2000) == 1 && recv(fd, answer, sizeof answer, MSG_DONTWAIT) > 0;
  close(fd);
  return answered ? kAnswered : kUnanswered;
}

// Runs `body` in a child process of another user; its exit code is the
// body's result.
pid_t runAsOtherUser(const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    _exit(setgid(kOtherUser) == 0 && setuid(kOtherUser) == 0 ? body() : 99);
  }
  return pid;
}

int exitCodeOf(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class StandinSocket : public ::testing::Test {
 protected:
  StandinSocket() {
    std::string pattern = "/tmp/qv-standin-socket-XXXXXX";
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  ~StandinSocket() override {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }

  std::string dir;
  std::string error;
  std::ostringstream out;
  standin::Aircraft aircraft{1, "Test", true};
};

TEST_F(StandinSocket, WhatIsNotAStaleSocketOfTheUserIsLeftUntouched) {
  const std::string file = dir + "/file.sock";
  std::ofstream(file) << "keep me";
  standin::StandinServer first(aircraft, out);
  EXPECT_FALSE(first.listen({false, 0, file}, error));
  EXPECT_EQ(error, file + " is not a socket; left untouched");
  std::ifstream kept(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");

  const std::string foreign = dir + "/foreign.sock";
  makeStaleSocket(foreign);
  if (geteuid() != 0) {
    GTEST_SKIP() << kGivingAwayNeedsRoot;
  }
  ASSERT_EQ(lchown(foreign.c_str(), kOtherUser, kOtherUser), 0);
  standin::StandinServer second(aircraft, out);
  EXPECT_FALSE(second.listen({false, 0, foreign}, error));
  EXPECT_EQ(error, foreign + " belongs to another user; left untouched");
  EXPECT_TRUE(fs::is_socket(foreign));
}

TEST_F(StandinSocket, StaleSocketOfTheUserIsReplacedButALiveOneKept) {
  const std::string path = dir + "/sim.sock";
  makeStaleSocket(path);
  standin::StandinServer server(aircraft, out);
  ASSERT_TRUE(server.listen({false, 0, path}, error)) << error;
  EXPECT_TRUE(listening(path)) << "the new socket";

  standin::StandinServer second(aircraft, out);
  EXPECT_FALSE(second.listen({false, 0, path}, error));
  EXPECT_EQ(error, "a stand-in simulator already runs on " + path);
  EXPECT_TRUE(listening(path)) << "the running one keeps its socket";
}

TEST_F(StandinSocket, PrivateFolderIsTheUsersAlone) {
  const std::string folder = dir + "/private";
  // The mode asked for, not what the umask leaves of it.
  const mode_t umaskBefore = umask(0);
  EXPECT_TRUE(net::makePrivateFolder(folder, error)) << error;
  umask(umaskBefore);
  struct stat made {};
  ASSERT_EQ(stat(folder.c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 07777, 0700U);
  EXPECT_TRUE(net::makePrivateFolder(folder, error)) << "made earlier: used again";

  const std::string open = dir + "/open";
  ASSERT_EQ(mkdir(open.c_str(), 0700), 0);
  ASSERT_EQ(chmod(open.c_str(), 0755), 0);
  const std::string foreign = dir + "/foreign";
  ASSERT_EQ(mkdir(foreign.c_str(), 0700), 0);
  if (geteuid() != 0) {
    GTEST_SKIP() << kGivingAwayNeedsRoot;
  }
  ASSERT_EQ(chown(foreign.c_str(), kOtherUser, kOtherUser), 0);
  const std::string link = dir + "/link";
  fs::create_directory_symlink(folder, link);
  for (const std::string& unfit : {open, foreign, link}) {
    EXPECT_FALSE(net::makePrivateFolder(unfit, error)) << unfit;
    EXPECT_EQ(error, unfit + " is not a private folder of this user (mode 0700); not used");
  }
  ASSERT_EQ(stat(open.c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 07777, 0755U) << "left as it was";
}

TEST(StandinSocketPath, WithoutARuntimeFolderTheSocketLiesInAPrivateFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::optional<std::string> runtimeBefore =
      runtime != nullptr ? std::optional<std::string>(runtime) : std::nullopt;
  unsetenv("QV_STANDIN_SOCKET");
  unsetenv("XDG_RUNTIME_DIR");
  const std::string folder = "/tmp/quorvane-standin-" + std::to_string(getuid());
  EXPECT_EQ(standin::privateSocketFolder(), folder);
  EXPECT_EQ(standin::socketPath(), folder + "/quorvane-standin.sock");
  setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
  EXPECT_EQ(standin::privateSocketFolder(), "");
  EXPECT_EQ(standin::socketPath(), "/run/user/7/quorvane-standin.sock");
  if (runtimeBefore) {
    setenv("XDG_RUNTIME_DIR", runtimeBefore->c_str(), 1);
  } else {
    unsetenv("XDG_RUNTIME_DIR");
  }
}

class StandinPeers : public StandinSocket {
 protected:
  void SetUp() override {
    if (geteuid() != 0) {
      GTEST_SKIP() << "a second user needs root";
    }
  }
};

TEST_F(StandinPeers, SimulatorRefusesAClientOfAnotherUser) {
  test::StandinProcess sim;
  sim.start();
  const std::string path = std::getenv("QV_STANDIN_SOCKET");
  ASSERT_EQ(chmod(fs::path(path).parent_path().c_str(), 0711), 0);
  ASSERT_EQ(chmod(path.c_str(), 0777), 0);

  EXPECT_EQ(exitCodeOf(runAsOtherUser([&] { return askOpen(path); })), kUnanswered);
  EXPECT_TRUE(test::repeatUntil(
      [] {}, [&] { return sim.linesWith("refused a client of another user (uid 65534)") == 1; }))
      << sim.output();
  EXPECT_EQ(askOpen(path), kAnswered) << "a client of the same user is served";
}

TEST_F(StandinPeers, ClientLibraryRefusesASimulatorOfAnotherUser) {
  ASSERT_EQ(chmod(dir.c_str(), 01777), 0);
  const std::string path = dir + "/foreign.sock";
  const std::vector<uint8_t> openAnswer =
      standin::MessageBuilder(simconnect::kRecvOpen, simconnect::kOpenSize).bytes();
  // A simulator of another user that answers every open.
  const pid_t foreign = runAsOtherUser([&] {
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    const sockaddr_un address = addressOf(path);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(path.c_str(), 0777) != 0 || ::listen(fd, 8) != 0) {
      return 1;
    }
    for (;;) {
      const int client = accept(fd, nullptr, nullptr);
      standin::Request request;
      static_cast<void>(recv(client, &request, sizeof request, 0));
      static_cast<void>(send(client, openAnswer.data(), openAnswer.size(), MSG_NOSIGNAL));
      close(client);
    }
  });
  ASSERT_TRUE(test::repeatUntil([] {}, [&] { return askOpen(path) == kAnswered; }))
      << "the foreign simulator answers";

  setenv("QV_STANDIN_SOCKET", path.c_str(), 1);
  ASSERT_TRUE(SimLib_EnsureLoaded()) << SimLibError();
  int opened = 0;
  for (int i = 0; i < 20; ++i) {
    void* handle = nullptr;
    if (SimLib().SimConnect_Open(&handle, "Request Data", nullptr, 0, nullptr, 0) >= 0) {
      ++opened;
    }
    usleep(20'000);
  }
  SimLib_Unload();
  kill(foreign, SIGKILL);
  static_cast<void>(exitCodeOf(foreign));
  EXPECT_EQ(opened, 0);
}

}  // namespace
}  // namespace qv
