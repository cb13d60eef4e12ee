// The stand-in client library: the simulator's eight entry points, talking
// to the stand-in simulator process over its local socket.

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <vector>

#include "sim/SimConnectApi.h"
#include "standin/StandinProtocol.h"

namespace {

using qv::standin::Op;
using qv::standin::Request;

constexpr int32_t kOk = 0;
constexpr auto kFail = static_cast<int32_t>(0x80004005U);  // E_FAIL
// The open runs on the program's main thread: it waits this long for the
// simulator's answer and fails when none came, so the next tick tries again.
constexpr int kOpenAnswerWaitMs = 5;
constexpr size_t kLargestMessage = 4096;

struct Connection {
  int fd = -1;
  uint32_t nextSendId = 1;
  // Messages received before the first dispatch (the OPEN answer).
  std::deque<std::vector<uint8_t>> pending;
};

Connection* connectionOf(void* handle) {
  return static_cast<Connection*>(handle);
}

void copyText(char (&field)[qv::standin::kTextSize], const char* text) {
  if (text != nullptr) {
    std::strncpy(field, text, sizeof field - 1);
  }
}

int32_t sendRequest(void* handle, Request request) {
  Connection* connection = connectionOf(handle);
  if (connection == nullptr) {
    return kFail;
  }
  request.sendId = connection->nextSendId++;
  // The socket never blocks: a stopped simulator loses requests rather than
  // holding the caller.
  const ssize_t sent = send(connection->fd, &request, sizeof request, MSG_NOSIGNAL);
  return sent == static_cast<ssize_t>(sizeof request) ? kOk : kFail;
}

int connectToSimulator() {
  const std::string path = qv::standin::socketPath();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    return -1;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    return -1;
  }
  // A local connect completes at once or fails with EAGAIN when the
  // simulator does not take connections (stopped, queue full). Only a
  // simulator of this user is talked to.
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      qv::standin::peerUser(fd) != geteuid()) {
    close(fd);
    return -1;
  }
  return fd;
}

// One packet, waiting at most timeoutMs; empty when none came.
std::vector<uint8_t> receiveOne(int fd, int timeoutMs) {
  pollfd waiting{fd, POLLIN, 0};
  if (poll(&waiting, 1, timeoutMs) != 1) {
    return {};
  }
  std::vector<uint8_t> message(kLargestMessage);
  const ssize_t length = recv(fd, message.data(), message.size(), 0);
  if (length <= 0) {
    return {};
  }
  message.resize(static_cast<size_t>(length));
  return message;
}

}  // namespace

extern "C" {

int32_t QV_LIBRARY_CALL SimConnect_Open(void** phSimConnect, const char* szName, void* /*hWnd*/,
                                        uint32_t /*UserEventWin32*/, void* /*hEventHandle*/,
                                        uint32_t /*ConfigIndex*/) {
  if (phSimConnect == nullptr) {
    return kFail;
  }
  const int fd = connectToSimulator();
  if (fd < 0) {
    return kFail;
  }
  auto* connection = new Connection{fd, 1, {}};
  Request request;
  request.op = Op::Open;
  copyText(request.text1, szName);
  // The simulator answers with OPEN; it is kept for the first dispatch, so a
  // connection that opens is a connection that works.
  std::vector<uint8_t> answer;
  if (sendRequest(connection, request) == kOk) {
    answer = receiveOne(fd, kOpenAnswerWaitMs);
  }
  if (answer.empty()) {
    close(fd);
    delete connection;
    return kFail;
  }
  connection->pending.push_back(std::move(answer));
  *phSimConnect = connection;
  return kOk;
}

int32_t QV_LIBRARY_CALL SimConnect_Close(void* hSimConnect) {
  Connection* connection = connectionOf(hSimConnect);
  if (connection == nullptr) {
    return kFail;
  }
  Request request;
  request.op = Op::Close;
  static_cast<void>(sendRequest(connection, request));
  close(connection->fd);
  delete connection;
  return kOk;
}

int32_t QV_LIBRARY_CALL SimConnect_AddToDataDefinition(void* hSimConnect, uint32_t DefineID,
                                                       const char* DatumName, const char* UnitsName,
                                                       uint32_t DatumType, float fEpsilon,
                                                       uint32_t DatumID) {
  Request request;
  request.op = Op::AddToDataDefinition;
  request.args[0] = DefineID;
  request.args[1] = DatumType;
  request.args[2] = DatumID;
  request.epsilon = fEpsilon;
  copyText(request.text1, DatumName);
  copyText(request.text2, UnitsName);
  return sendRequest(hSimConnect, request);
}

int32_t QV_LIBRARY_CALL SimConnect_MapClientEventToSimEvent(void* hSimConnect, uint32_t EventID,
                                                            const char* EventName) {
  Request request;
  request.op = Op::MapClientEventToSimEvent;
  request.args[0] = EventID;
  copyText(request.text1, EventName);
  return sendRequest(hSimConnect, request);
}

int32_t QV_LIBRARY_CALL SimConnect_SubscribeToSystemEvent(void* hSimConnect, uint32_t EventID,
                                                          const char* SystemEventName) {
  Request request;
  request.op = Op::SubscribeToSystemEvent;
  request.args[0] = EventID;
  copyText(request.text1, SystemEventName);
  return sendRequest(hSimConnect, request);
}

int32_t QV_LIBRARY_CALL SimConnect_RequestDataOnSimObjectType(void* hSimConnect, uint32_t RequestID,
                                                              uint32_t DefineID,
                                                              uint32_t dwRadiusMeters,
                                                              uint32_t type) {
  Request request;
  request.op = Op::RequestDataOnSimObjectType;
  request.args[0] = RequestID;
  request.args[1] = DefineID;
  request.args[2] = dwRadiusMeters;
  request.args[3] = type;
  return sendRequest(hSimConnect, request);
}

int32_t QV_LIBRARY_CALL SimConnect_TransmitClientEvent(void* hSimConnect, uint32_t ObjectID,
                                                       uint32_t EventID, uint32_t dwData,
                                                       uint32_t GroupID, uint32_t Flags) {
  Request request;
  request.op = Op::TransmitClientEvent;
  request.args[0] = ObjectID;
  request.args[1] = EventID;
  request.args[2] = dwData;
  request.args[3] = GroupID;
  request.args[4] = Flags;
  return sendRequest(hSimConnect, request);
}

// Hands every message that has arrived to pfcnDispatch, on the calling
// thread; fails once the simulator has gone.
int32_t QV_LIBRARY_CALL SimConnect_CallDispatch(void* hSimConnect,
                                                SimConnectDispatchProc pfcnDispatch,
                                                void* pContext) {
  Connection* connection = connectionOf(hSimConnect);
  if (connection == nullptr || pfcnDispatch == nullptr) {
    return kFail;
  }
  while (!connection->pending.empty()) {
    std::vector<uint8_t> message = std::move(connection->pending.front());
    connection->pending.pop_front();
    pfcnDispatch(reinterpret_cast<SIMCONNECT_RECV*>(message.data()),
                 static_cast<uint32_t>(message.size()), pContext);
  }
  std::vector<uint8_t> message(kLargestMessage);
  for (;;) {
    const ssize_t length = recv(connection->fd, message.data(), message.size(), MSG_DONTWAIT);
    if (length > 0) {
      pfcnDispatch(reinterpret_cast<SIMCONNECT_RECV*>(message.data()),
                   static_cast<uint32_t>(length), pContext);
      continue;
    }
    if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return kOk;
    }
    return kFail;
  }
}

}  // extern "C"
