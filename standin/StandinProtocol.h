#pragma once

// What the stand-in client library and the stand-in simulator say to each
// other over their local socket. Each request is one packet; each answer is
// one packet holding a message in the simulator's own layout.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Sockets.h"

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
inline constexpr uint32_t kExceptionDefinitionTooLarge = 1;

// The TCP port both sides use unless told otherwise; below the range
// Windows hands out for outgoing connections.
inline constexpr uint16_t kDefaultTcpPort = 47861;

// A TCP port given as text: 1 to 65535, or 0 where `allowAny` (the system
// picks one); none for anything else.
std::optional<uint16_t> parsePort(const std::string& text, bool allowAny);
// $QV_STANDIN_PORT: none when unset or empty, 0 when it is not a port.
std::optional<uint16_t> portFromEnvironment();

// Where the client library finds the simulator: TCP on 127.0.0.1 at
// $QV_STANDIN_PORT when set; else on Linux the local socket below, on
// Windows TCP at kDefaultTcpPort.
net::Endpoint simulatorEndpoint();

// The local socket both sides use on Linux: $QV_STANDIN_SOCKET when set (so test runs
// never meet), else one per user under $XDG_RUNTIME_DIR, else in a folder
// of the user's own under /tmp.
std::string socketPath();
// The folder of socketPath() that the simulator makes private (mode 0700)
// before it listens; empty when the socket lies in a folder it does not own.
std::string privateSocketFolder();

}  // namespace qv::standin
