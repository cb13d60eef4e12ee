#pragma once

// What the stand-in client library and the stand-in simulator say to each
// other over their local socket. Each request is one packet; each answer is
// one packet holding a message in the simulator's own layout.

#include <cstdint>
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
// never meet), else one per user under $XDG_RUNTIME_DIR or /tmp.
std::string socketPath();

}  // namespace qv::standin
