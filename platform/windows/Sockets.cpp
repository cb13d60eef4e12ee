#include "platform/Sockets.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/LoopbackAddress.h"

namespace qv::net {

namespace {

// A connect to a simulator that does not take connections gives up after
// this long: the open runs on the program's main thread, and Windows
// retries a refused loopback connect for seconds.
constexpr long kConnectWaitUs = 20'000;

SOCKET socketOf(Handle socket) {
  return static_cast<SOCKET>(socket);
}

Handle handleOf(SOCKET socket) {
  return socket == INVALID_SOCKET ? kNoSocket : static_cast<Handle>(socket);
}

bool makeNonBlocking(SOCKET socket) {
  u_long on = 1;
  return ioctlsocket(socket, FIONBIO, &on) == 0;
}

// Small requests and answers go out at once, not held back to be joined.
void sendAtOnce(SOCKET socket) {
  const BOOL on = TRUE;
  static_cast<void>(
      setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on));
}

enum class ConnectState { Underway, Made, Failed };

// Where a connect stands after waiting up to `waitUs` for it: Winsock shows a
// made one as writable and a failed one in the exception set alone.
ConnectState connectState(SOCKET socket, long waitUs) {
  fd_set writable;
  fd_set failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(socket, &writable);
  FD_SET(socket, &failed);
  timeval wait{0, waitUs};
  const int ready = select(0, nullptr, &writable, &failed, &wait);
  if (ready == SOCKET_ERROR || (ready > 0 && FD_ISSET(socket, &failed) != 0)) {
    return ConnectState::Failed;
  }
  return ready > 0 ? ConnectState::Made : ConnectState::Underway;
}

// `waitUs` 0 returns a connection still being made.
Handle connectTcp(uint16_t port, long waitUs) {
  const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket == INVALID_SOCKET) {
    return kNoSocket;
  }
  const sockaddr_in address = loopback(port);
  if (!makeNonBlocking(socket) ||
      (connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
       (WSAGetLastError() != WSAEWOULDBLOCK ||
        (waitUs > 0 && connectState(socket, waitUs) != ConnectState::Made)))) {
    closesocket(socket);
    return kNoSocket;
  }
  sendAtOnce(socket);
  return handleOf(socket);
}

// Winsock fails a send or receive on a connection still being made with
// WSAENOTCONN where POSIX would block; only select tells a refused one.
long streamResult(SOCKET socket, long result) {
  if (result == SOCKET_ERROR && WSAGetLastError() == WSAENOTCONN) {
    return connectState(socket, 0) == ConnectState::Failed ? kFailed : kWouldBlock;
  }
  return transferResult(result);
}

}  // namespace

bool start() {
  WSADATA data{};
  return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

void finish() {
  static_cast<void>(WSACleanup());
}

Handle connectTo(const Endpoint& endpoint) {
  // No local sockets on Windows.
  return endpoint.tcp ? connectTcp(endpoint.port, kConnectWaitUs) : kNoSocket;
}

Handle beginConnect(uint16_t port) {
  return connectTcp(port, 0);
}

Handle listenOn(Endpoint& endpoint, std::string& error) {
  if (!endpoint.tcp) {
    error = "local sockets are not available on Windows: " + endpoint.path;
    return kNoSocket;
  }
  const std::string where = "127.0.0.1:" + std::to_string(endpoint.port);
  const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  // No other program may bind the port over this one.
  const BOOL on = TRUE;
  sockaddr_in address = loopback(endpoint.port);
  int size = sizeof address;
  if (socket == INVALID_SOCKET ||
      setsockopt(socket, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&on),
                 sizeof on) != 0 ||
      bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(socket, 8) != 0 ||
      getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
      !makeNonBlocking(socket)) {
    error = "cannot listen on " + where + ": " + lastErrorText();
    if (socket != INVALID_SOCKET) {
      closesocket(socket);
    }
    return kNoSocket;
  }
  endpoint.port = ntohs(address.sin_port);
  return handleOf(socket);
}

void closeListener(Handle listener, const Endpoint& /*endpoint*/) {
  closeSocket(listener);
}

Handle acceptClient(Handle listener, const Endpoint& /*endpoint*/, std::string& /*refusal*/) {
  const SOCKET socket = accept(socketOf(listener), nullptr, nullptr);
  if (socket == INVALID_SOCKET) {
    return kNoSocket;
  }
  if (!makeNonBlocking(socket)) {
    closesocket(socket);
    return kNoSocket;
  }
  sendAtOnce(socket);
  return handleOf(socket);
}

long sendSome(Handle socket, const void* data, size_t size) {
  return streamResult(socketOf(socket), send(socketOf(socket), static_cast<const char*>(data),
                                             static_cast<int>(size), 0));
}

long receiveSome(Handle socket, void* data, size_t size) {
  return streamResult(socketOf(socket),
                      recv(socketOf(socket), static_cast<char*>(data), static_cast<int>(size), 0));
}

long transferResult(long result) {
  if (result != SOCKET_ERROR) {
    return result;
  }
  return WSAGetLastError() == WSAEWOULDBLOCK ? kWouldBlock : kFailed;
}

void waitReadable(const std::vector<Handle>& sockets, std::vector<bool>& ready, int timeoutMs) {
  std::vector<WSAPOLLFD> fds;
  fds.reserve(sockets.size());
  for (const Handle socket : sockets) {
    fds.push_back({socketOf(socket), POLLRDNORM, 0});
  }
  const bool polled = WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeoutMs) > 0;
  ready.assign(sockets.size(), false);
  for (size_t i = 0; polled && i < fds.size(); ++i) {
    ready[i] = fds[i].revents != 0;
  }
}

void closeSocket(Handle socket) {
  if (socket != kNoSocket) {
    closesocket(socketOf(socket));
  }
}

std::string lastErrorText() {
  const int code = WSAGetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length != 0 ? std::string(text, length) : "error " + std::to_string(code);
  LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) {
    result.pop_back();
  }
  return result;
}

}  // namespace qv::net
