#pragma once

// The few stream socket calls of the stand-in's two sides and the simulator
// link's network connections, one file per platform: local sockets and
// loopback TCP on Linux, loopback TCP through Winsock on Windows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::net {

// A socket of the platform (a file descriptor, or a Winsock SOCKET).
using Handle = std::intptr_t;
inline constexpr Handle kNoSocket = -1;

// Where the simulator listens: a TCP port on 127.0.0.1, or a local socket
// file (Linux only).
struct Endpoint {
  bool tcp = false;
  uint16_t port = 0;
  std::string path;
};

// Readies the socket layer for one user of it; every successful start is
// matched by one finish.
bool start();
void finish();

// A connected, non-blocking socket to the simulator, or kNoSocket. A local
// socket is used only when a process of this user is at the other end.
Handle connectTo(const Endpoint& endpoint);
// A TCP connection to 127.0.0.1:`port` that the caller does not wait for: it
// is returned while still being made, so sends would block and receives find
// nothing until it is, and a refusal shows as the next receive's failure.
Handle beginConnect(uint16_t port);

// A non-blocking listening socket; kNoSocket with the reason otherwise. A
// TCP socket listens on 127.0.0.1 alone; port 0 takes a free one, which
// `endpoint.port` then holds.
Handle listenOn(Endpoint& endpoint, std::string& error);
// Closes a listening socket and removes its socket file, if any.
void closeListener(Handle listener, const Endpoint& endpoint);

// The next waiting client as a non-blocking socket, or kNoSocket (none
// waiting, or refused: then `refusal` says why).
Handle acceptClient(Handle listener, const Endpoint& endpoint, std::string& refusal);

inline constexpr long kWouldBlock = -1;
inline constexpr long kFailed = -2;
// Bytes sent (a packet socket sends all or nothing), or kWouldBlock/kFailed.
long sendSome(Handle socket, const void* data, size_t size);
// Bytes received (one whole packet on a packet socket), 0 when the peer has
// gone, or kWouldBlock/kFailed.
long receiveSome(Handle socket, void* data, size_t size);
// A send's or receive's result as above: the count, or by the last error
// kWouldBlock or kFailed.
long transferResult(long result);

// Waits up to timeoutMs until one of `sockets` has something to read (or
// has gone); `ready` says which.
void waitReadable(const std::vector<Handle>& sockets, std::vector<bool>& ready, int timeoutMs);

void closeSocket(Handle socket);

// The system's text for the last socket error.
std::string lastErrorText();

}  // namespace qv::net
