// The stand-in client library: the simulator's eight entry points, talking
// to the stand-in simulator process over a local socket or loopback TCP.

#include <algorithm>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <vector>

#include "sim/SimConnectApi.h"
#include "standin/Channel.h"
#include "standin/StandinProtocol.h"

namespace {

using qv::standin::Channel;
using qv::standin::Op;
using qv::standin::Request;
namespace net = qv::net;

constexpr int32_t kOk = 0;
constexpr auto kFail = static_cast<int32_t>(0x80004005U);  // E_FAIL
// The open runs on the program's main thread: it waits this long for the
// simulator's answer, which then reaches the open's own dispatch. A later
// answer comes with a later dispatch: the connection is established, and
// giving it up would only make the simulator see a client come and go on
// every slow start (Wine's first round trips take longer).
constexpr int kOpenAnswerWaitMs = 5;

struct Connection {
  explicit Connection(net::Handle socket, bool stream)
      : channel(socket, stream, qv::standin::messageLength) {}
  ~Connection() { net::finish(); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  Channel channel;
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

// A request of `op` with its arguments in order and up to two texts.
Request requestOf(Op op, std::initializer_list<uint32_t> args, const char* text1 = nullptr,
                  const char* text2 = nullptr) {
  Request request;
  request.op = op;
  std::copy(args.begin(), args.end(), std::begin(request.args));
  copyText(request.text1, text1);
  copyText(request.text2, text2);
  return request;
}

int32_t sendRequest(void* handle, Request request) {
  Connection* connection = connectionOf(handle);
  if (connection == nullptr) {
    return kFail;
  }
  request.sendId = connection->nextSendId++;
  // Never blocks: a stopped simulator loses requests rather than holding
  // the caller.
  return connection->channel.send(&request, sizeof request) ? kOk : kFail;
}

// A connection to the simulator; none when no simulator takes it.
std::unique_ptr<Connection> connectToSimulator() {
  if (!net::start()) {
    return nullptr;
  }
  const net::Endpoint endpoint = qv::standin::simulatorEndpoint();
  const net::Handle socket = net::connectTo(endpoint);
  if (socket == net::kNoSocket) {
    net::finish();
    return nullptr;
  }
  return std::make_unique<Connection>(socket, endpoint.tcp);
}

// One message, waiting at most timeoutMs; none when none came.
std::optional<std::vector<uint8_t>> receiveOne(Channel& channel, int timeoutMs) {
  if (auto message = channel.receive()) {
    return message;
  }
  std::vector<bool> ready;
  net::waitReadable({channel.socket()}, ready, timeoutMs);
  return channel.receive();
}

}  // namespace

extern "C" {

int32_t QV_LIBRARY_CALL SimConnect_Open(void** phSimConnect, const char* szName, void* /*hWnd*/,
                                        uint32_t /*UserEventWin32*/, void* /*hEventHandle*/,
                                        uint32_t /*ConfigIndex*/) {
  if (phSimConnect == nullptr) {
    return kFail;
  }
  std::unique_ptr<Connection> connection = connectToSimulator();
  if (connection == nullptr) {
    return kFail;
  }
  // The simulator answers with OPEN; when it is there already it is kept for
  // the first dispatch.
  if (sendRequest(connection.get(), requestOf(Op::Open, {}, szName)) != kOk) {
    return kFail;
  }
  if (std::optional<std::vector<uint8_t>> answer =
          receiveOne(connection->channel, kOpenAnswerWaitMs)) {
    connection->pending.push_back(std::move(*answer));
  }
  *phSimConnect = connection.release();
  return kOk;
}

int32_t QV_LIBRARY_CALL SimConnect_Close(void* hSimConnect) {
  Connection* connection = connectionOf(hSimConnect);
  if (connection == nullptr) {
    return kFail;
  }
  static_cast<void>(sendRequest(connection, requestOf(Op::Close, {})));
  delete connection;
  return kOk;
}

int32_t QV_LIBRARY_CALL SimConnect_AddToDataDefinition(void* hSimConnect, uint32_t DefineID,
                                                       const char* DatumName, const char* UnitsName,
                                                       uint32_t DatumType, float fEpsilon,
                                                       uint32_t DatumID) {
  Request request =
      requestOf(Op::AddToDataDefinition, {DefineID, DatumType, DatumID}, DatumName, UnitsName);
  request.epsilon = fEpsilon;
  return sendRequest(hSimConnect, request);
}

int32_t QV_LIBRARY_CALL SimConnect_MapClientEventToSimEvent(void* hSimConnect, uint32_t EventID,
                                                            const char* EventName) {
  return sendRequest(hSimConnect, requestOf(Op::MapClientEventToSimEvent, {EventID}, EventName));
}

int32_t QV_LIBRARY_CALL SimConnect_SubscribeToSystemEvent(void* hSimConnect, uint32_t EventID,
                                                          const char* SystemEventName) {
  return sendRequest(hSimConnect,
                     requestOf(Op::SubscribeToSystemEvent, {EventID}, SystemEventName));
}

int32_t QV_LIBRARY_CALL SimConnect_RequestDataOnSimObjectType(void* hSimConnect, uint32_t RequestID,
                                                              uint32_t DefineID,
                                                              uint32_t dwRadiusMeters,
                                                              uint32_t type) {
  return sendRequest(hSimConnect, requestOf(Op::RequestDataOnSimObjectType,
                                            {RequestID, DefineID, dwRadiusMeters, type}));
}

int32_t QV_LIBRARY_CALL SimConnect_TransmitClientEvent(void* hSimConnect, uint32_t ObjectID,
                                                       uint32_t EventID, uint32_t dwData,
                                                       uint32_t GroupID, uint32_t Flags) {
  return sendRequest(
      hSimConnect, requestOf(Op::TransmitClientEvent, {ObjectID, EventID, dwData, GroupID, Flags}));
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
  // Requests a slow simulator left in the stream go out now.
  connection->channel.flush();
  while (std::optional<std::vector<uint8_t>> message = connection->channel.receive()) {
    pfcnDispatch(reinterpret_cast<SIMCONNECT_RECV*>(message->data()),
                 static_cast<uint32_t>(message->size()), pContext);
  }
  return connection->channel.closed() ? kFail : kOk;
}

}  // extern "C"
