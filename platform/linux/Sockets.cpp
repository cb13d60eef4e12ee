#include "platform/Sockets.h"

#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/LoopbackAddress.h"
#include "platform/linux/SocketFile.h"

namespace qv::net {

namespace {

// A connect to a simulator that does not take connections (stopped, queue
// full) gives up after this long: the open runs on the program's main thread.
constexpr int kConnectWaitMs = 20;

int fdOf(Handle socket) {
  return static_cast<int>(socket);
}

// Small requests and answers go out at once, not held back to be joined.
void sendAtOnce(int fd) {
  const int on = 1;
  static_cast<void>(setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on));
}

Handle connectLocal(const std::string& path) {
  const int fd = connectLocalSocket(path);
  if (fd < 0) {
    return kNoSocket;
  }
  // Only a simulator of this user is talked to.
  if (peerUser(fd) != geteuid()) {
    close(fd);
    return kNoSocket;
  }
  return fd;
}

// `waitMs` 0 returns a connection still being made.
Handle connectTcp(uint16_t port, int waitMs) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    return kNoSocket;
  }
  const sockaddr_in address = loopback(port);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const bool underway = errno == EINPROGRESS;
    pollfd writable{fd, POLLOUT, 0};
    int failure = 0;
    socklen_t size = sizeof failure;
    if (!underway || (waitMs > 0 && (poll(&writable, 1, waitMs) != 1 ||
                                     getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &size) != 0 ||
                                     failure != 0))) {
      close(fd);
      return kNoSocket;
    }
  }
  sendAtOnce(fd);
  return fd;
}

Handle listenLocal(const std::string& path, std::string& error) {
  sockaddr_un address{};
  if (!localAddress(path, address)) {
    error = "socket path too long: " + path;
    return kNoSocket;
  }
  if (!clearSocketPath(path, error)) {
    return kNoSocket;
  }
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd, 8) != 0) {
    error = "cannot listen on " + path + ": " + lastErrorText();
    if (fd >= 0) {
      close(fd);
    }
    return kNoSocket;
  }
  return fd;
}

Handle listenTcp(uint16_t& port, std::string& error) {
  const std::string where = "127.0.0.1:" + std::to_string(port);
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  // A simulator started again at once takes its port back from the
  // connections the last one left behind.
  const int on = 1;
  sockaddr_in address = loopback(port);
  socklen_t size = sizeof address;
  if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd, 8) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    error = "cannot listen on " + where + ": " + lastErrorText();
    if (fd >= 0) {
      close(fd);
    }
    return kNoSocket;
  }
  port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

bool start() {
  return true;
}

void finish() {}

Handle connectTo(const Endpoint& endpoint) {
  return endpoint.tcp ? connectTcp(endpoint.port, kConnectWaitMs) : connectLocal(endpoint.path);
}

Handle beginConnect(uint16_t port) {
  return connectTcp(port, 0);
}

Handle listenOn(Endpoint& endpoint, std::string& error) {
  return endpoint.tcp ? listenTcp(endpoint.port, error) : listenLocal(endpoint.path, error);
}

void closeListener(Handle listener, const Endpoint& endpoint) {
  close(fdOf(listener));
  if (!endpoint.tcp) {
    static_cast<void>(unlink(endpoint.path.c_str()));
  }
}

Handle acceptClient(Handle listener, const Endpoint& endpoint, std::string& refusal) {
  const int fd = accept4(fdOf(listener), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
  if (fd < 0) {
    return kNoSocket;
  }
  if (endpoint.tcp) {
    sendAtOnce(fd);
    return fd;
  }
  if (const std::optional<uid_t> user = peerUser(fd); user != geteuid()) {
    refusal = "refused a client of another user (uid " +
              (user ? std::to_string(*user) : std::string("unknown")) + ")";
    close(fd);
    return kNoSocket;
  }
  return fd;
}

long sendSome(Handle socket, const void* data, size_t size) {
  return transferResult(send(fdOf(socket), data, size, MSG_NOSIGNAL | MSG_DONTWAIT));
}

long receiveSome(Handle socket, void* data, size_t size) {
  return transferResult(recv(fdOf(socket), data, size, MSG_DONTWAIT));
}

long transferResult(long result) {
  if (result >= 0) {
    return result;
  }
  return errno == EAGAIN || errno == EWOULDBLOCK ? kWouldBlock : kFailed;
}

void waitReadable(const std::vector<Handle>& sockets, std::vector<bool>& ready, int timeoutMs) {
  std::vector<pollfd> fds;
  fds.reserve(sockets.size());
  for (const Handle socket : sockets) {
    fds.push_back({fdOf(socket), POLLIN, 0});
  }
  const bool polled = poll(fds.data(), fds.size(), timeoutMs) > 0;
  ready.assign(sockets.size(), false);
  for (size_t i = 0; polled && i < fds.size(); ++i) {
    ready[i] = fds[i].revents != 0;
  }
}

void closeSocket(Handle socket) {
  if (socket != kNoSocket) {
    close(fdOf(socket));
  }
}

std::string lastErrorText() {
  return std::strerror(errno);
}

}  // namespace qv::net
