#pragma once

// What the stand-in client library and the stand-in simulator say to each
// other over their local socket. Each request is one packet; each answer is
// one packet holding a message in the simulator's own layout.

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace qv::standin {

enum class Op : uint32_t {
  Open = 1,
  AddToDataDefinition,
  MapClientEventToSimEvent,
  SubscribeToSystemEvent,
  RequestDataOnSimObjectType,
  TransmitClientEvent,
  Close,
};

inline constexpr uint32_t kTextSize = 256;

struct Request {
  Op op = Op::Open;
  uint32_t sendId = 0;  // the request's serial number, quoted by an EXCEPTION
  uint32_t args[5] = {};
  float epsilon = 0.0F;
  char text1[kTextSize] = {};
  char text2[kTextSize] = {};
};

// Exception codes of the EXCEPTION message.
inline constexpr uint32_t kExceptionUnrecognizedId = 3;
inline constexpr uint32_t kExceptionNameUnrecognized = 7;
inline constexpr uint32_t kExceptionDataTypeUnsupported = 9;

// The socket both sides use: $QV_STANDIN_SOCKET when set (so test runs
// never meet), else one per user under $XDG_RUNTIME_DIR, else in a folder
// of the user's own under /tmp.
std::string socketPath();
// The folder of socketPath() that the simulator makes private (mode 0700)
// before it listens; empty when the socket lies in a folder it does not own.
std::string privateSocketFolder();

// The user of the process at the other end of a connected local socket,
// none when the system cannot tell. Both sides talk only to their own user:
// a socket in a shared folder may belong to anyone.
std::optional<uid_t> peerUser(int fd);

}  // namespace qv::standin
