#include "standin/StandinServer.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

#include "sim/SimConnectApi.h"
#include "standin/MessageBuilder.h"

namespace qv::standin {

namespace sc = qv::simconnect;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kSixHertzPeriod = std::chrono::microseconds(1'000'000 / 6);
constexpr auto kGearStep = std::chrono::milliseconds(50);
constexpr int kPollMs = 10;
constexpr uint32_t kUserObjectId = 1;
constexpr uint32_t kNoGroup = 0xFFFFFFFFU;

std::string fieldText(const char (&field)[kTextSize]) {
  return {field, static_cast<size_t>(std::find(field, field + kTextSize, '\0') - field)};
}

bool isTitle(const std::string& name) {
  constexpr std::string_view kTitle = "title";
  return std::equal(name.begin(), name.end(), kTitle.begin(), kTitle.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

}  // namespace

StandinServer::StandinServer(Aircraft& aircraft, std::ostream& out)
    : aircraft_(aircraft), out_(out) {}

StandinServer::~StandinServer() {
  while (!clients_.empty()) {
    dropClient(clients_.size() - 1);
  }
  if (listener_ != net::kNoSocket) {
    net::closeListener(listener_, endpoint_);
  }
  if (started_) {
    net::finish();
  }
}

bool StandinServer::listen(const net::Endpoint& endpoint, std::string& error) {
  if (!started_ && !net::start()) {
    error = "cannot start the sockets: " + net::lastErrorText();
    return false;
  }
  started_ = true;
  endpoint_ = endpoint;
  listener_ = net::listenOn(endpoint_, error);
  return listener_ != net::kNoSocket;
}

void StandinServer::run(const std::function<bool()>& stopRequested) {
  auto nextSixHertz = Clock::now() + kSixHertzPeriod;
  auto lastGearStep = Clock::now();
  std::vector<bool> ready;
  while (!stopRequested()) {
    std::vector<net::Handle> sockets{listener_};
    for (const auto& client : clients_) {
      sockets.push_back(client->channel.socket());
    }
    net::waitReadable(sockets, ready, kPollMs);
    if (ready[0]) {
      accept();
    }
    for (size_t i = sockets.size(); i-- > 1;) {
      Client& client = *clients_[i - 1];
      client.channel.flush();
      if ((ready[i] && !serve(client)) || client.channel.closed()) {
        out_ << "client closed: " << client.name << std::endl;
        dropClient(i - 1);
      }
    }
    const auto now = Clock::now();
    if (now - lastGearStep >= kGearStep) {
      const std::chrono::duration<double> elapsed = now - lastGearStep;
      lastGearStep = now;
      if (const auto line = aircraft_.moveGear(elapsed.count())) {
        out_ << *line << std::endl;
      }
    }
    if (now >= nextSixHertz) {
      nextSixHertz += kSixHertzPeriod;
      sendSixHertz();
    }
  }
  const std::vector<uint8_t> quit = MessageBuilder(sc::kRecvQuit, sc::kHeaderSize).bytes();
  for (const auto& client : clients_) {
    // Requests left unread would make the close of a TCP connection a reset,
    // which may throw away the QUIT before the client reads it.
    while (client->channel.receive()) {
    }
    sendMessage(*client, quit);
  }
  out_ << "stopped" << std::endl;
}

void StandinServer::accept() {
  std::string refusal;
  const net::Handle socket = net::acceptClient(listener_, endpoint_, refusal);
  if (!refusal.empty()) {
    out_ << refusal << std::endl;
  }
  if (socket != net::kNoSocket) {
    clients_.push_back(std::make_unique<Client>(socket, endpoint_.tcp));
  }
}

bool StandinServer::serve(Client& client) {
  while (const std::optional<std::vector<uint8_t>> packet = client.channel.receive()) {
    if (packet->size() != sizeof(Request)) {
      continue;
    }
    Request request;
    std::memcpy(&request, packet->data(), sizeof request);
    if (request.op == Op::Close) {
      return false;
    }
    handle(client, request);
  }
  return !client.channel.closed();
}

void StandinServer::handle(Client& client, const Request& request) {
  switch (request.op) {
    case Op::Open:
      client.name = fieldText(request.text1);
      out_ << "client connected: " << client.name << std::endl;
      sendMessage(client, MessageBuilder(sc::kRecvOpen, sc::kOpenSize)
                              .text(sc::kOpenApplicationName, sc::kNameSize, "Stand-in Simulator")
                              .u32(sc::kOpenVersions, 10)
                              .u32(sc::kOpenVersions + 4, 0)
                              .u32(sc::kOpenVersions + 8, 61637)
                              .u32(sc::kOpenVersions + 12, 0)
                              .u32(sc::kOpenVersions + 16, 10)
                              .u32(sc::kOpenVersions + 20, 0)
                              .u32(sc::kOpenVersions + 24, 61259)
                              .u32(sc::kOpenVersions + 28, 0)
                              .bytes());
      break;
    case Op::AddToDataDefinition: {
      const std::string name = fieldText(request.text1);
      const uint32_t type = request.args[1];
      if (type != sc::kDataTypeFloat64 && type != sc::kDataTypeString256) {
        sendException(client, request, kExceptionDataTypeUnsupported, 4);
      } else if (!isTitle(name) && !aircraft_.variable(name)) {
        sendException(client, request, kExceptionNameUnrecognized, 2);
      } else {
        client.definitions[request.args[0]].push_back({name, type});
      }
      break;
    }
    case Op::MapClientEventToSimEvent: {
      const std::string name = fieldText(request.text1);
      if (Aircraft::knowsEvent(name)) {
        client.events[request.args[0]] = name;
      } else {
        sendException(client, request, kExceptionNameUnrecognized, 2);
      }
      break;
    }
    case Op::SubscribeToSystemEvent:
      if (fieldText(request.text1) == "6Hz") {
        client.sixHertz.insert(request.args[0]);
      } else {
        sendException(client, request, kExceptionNameUnrecognized, 2);
      }
      break;
    case Op::RequestDataOnSimObjectType:
      sendData(client, request);
      break;
    case Op::TransmitClientEvent: {
      const auto event = client.events.find(request.args[1]);
      if (request.args[0] != sc::kObjectUser && request.args[0] != kUserObjectId) {
        sendException(client, request, kExceptionUnrecognizedId, 1);
      } else if (event == client.events.end()) {
        sendException(client, request, kExceptionUnrecognizedId, 2);
      } else {
        out_ << aircraft_.apply(event->second, request.args[2]) << std::endl;
      }
      break;
    }
    case Op::Close:
      break;
  }
}

void StandinServer::sendData(Client& client, const Request& request) {
  const auto definition = client.definitions.find(request.args[1]);
  if (definition == client.definitions.end()) {
    sendException(client, request, kExceptionUnrecognizedId, 2);
    return;
  }
  if (request.args[3] != sc::kObjectUser) {
    sendException(client, request, kExceptionUnrecognizedId, 4);
    return;
  }
  uint32_t size = sc::kDataStart;
  for (const Datum& datum : definition->second) {
    size += datum.type == sc::kDataTypeString256 ? sc::kNameSize : 8;
  }
  MessageBuilder message(sc::kRecvSimObjectDataByType, size);
  message.u32(sc::kDataRequestId, request.args[0])
      .u32(16, kUserObjectId)
      .u32(20, request.args[1])
      .u32(28, 1)
      .u32(32, 1)
      .u32(36, static_cast<uint32_t>(definition->second.size()));
  uint32_t offset = sc::kDataStart;
  for (const Datum& datum : definition->second) {
    if (datum.type == sc::kDataTypeString256) {
      message.text(offset, sc::kNameSize, isTitle(datum.name) ? aircraft_.title() : "");
      offset += sc::kNameSize;
    } else {
      message.f64(offset, aircraft_.variable(datum.name).value_or(0.0));
      offset += 8;
    }
  }
  sendMessage(client, message.bytes());
}

void StandinServer::sendException(Client& client, const Request& request, uint32_t code,
                                  uint32_t index) {
  out_ << "exception " << code << " for request " << request.sendId << std::endl;
  sendMessage(client, MessageBuilder(sc::kRecvException, sc::kExceptionSize)
                          .u32(sc::kExceptionCode, code)
                          .u32(sc::kExceptionSendId, request.sendId)
                          .u32(sc::kExceptionIndex, index)
                          .bytes());
}

void StandinServer::sendSixHertz() {
  for (const auto& client : clients_) {
    for (const uint32_t eventId : client->sixHertz) {
      sendMessage(*client, MessageBuilder(sc::kRecvEvent, sc::kEventSize)
                               .u32(sc::kEventGroupId, kNoGroup)
                               .u32(sc::kEventId, eventId)
                               .u32(sc::kEventData, 0)
                               .bytes());
    }
  }
}

void StandinServer::sendMessage(Client& client, const std::vector<uint8_t>& message) {
  // A client that does not read loses messages rather than stalling the
  // simulator.
  static_cast<void>(client.channel.send(message.data(), message.size()));
}

void StandinServer::dropClient(size_t index) {
  clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace qv::standin
