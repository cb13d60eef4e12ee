#include "standin/ClientSession.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>
#include <utility>

#include "sim/SimConnectApi.h"
#include "standin/Channel.h"
#include "standin/MessageBuilder.h"

namespace qv::standin {

namespace sc = qv::simconnect;

namespace {

constexpr uint32_t kUserObjectId = 1;
constexpr uint32_t kNoGroup = 0xFFFFFFFFU;

std::string fieldText(const char (&field)[kTextSize]) {
  return {field, static_cast<size_t>(std::find(field, field + kTextSize, '\0') - field)};
}

bool isTitle(std::string_view name) {
  constexpr std::string_view kTitle = "title";
  return std::equal(name.begin(), name.end(), kTitle.begin(), kTitle.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

size_t datumSize(uint32_t type) {
  return type == sc::kDataTypeString256 ? sc::kNameSize : sizeof(double);
}

}  // namespace

size_t ClientSession::dataSize(const std::vector<Datum>& definition) {
  size_t size = sc::kDataStart;
  for (const Datum& datum : definition) {
    size += datumSize(datum.type);
  }
  return size;
}

ClientSession::ClientSession(Aircraft& aircraft, std::ostream& out, Send send)
    : aircraft_(aircraft), out_(out), send_(std::move(send)) {}

bool ClientSession::receive(std::span<const uint8_t> packet) {
  Request request;
  if (packet.size() != sizeof request) {
    return true;
  }
  std::memcpy(&request, packet.data(), sizeof request);
  if (request.op == Op::Close) {
    return false;
  }
  handle(request);
  return true;
}

void ClientSession::handle(const Request& request) {
  switch (request.op) {
    case Op::Open:
      name_ = fieldText(request.text1);
      out_ << "client connected: " << name_ << std::endl;
      send_(MessageBuilder(sc::kRecvOpen, sc::kOpenSize)
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
    case Op::AddToDataDefinition:
      addDatum(request);
      break;
    case Op::MapClientEventToSimEvent: {
      const std::string name = fieldText(request.text1);
      if (Aircraft::knowsEvent(name)) {
        events_[request.args[0]] = name;
      } else {
        sendException(request, kExceptionNameUnrecognized, 2);
      }
      break;
    }
    case Op::SubscribeToSystemEvent:
      if (fieldText(request.text1) == "6Hz") {
        sixHertz_.insert(request.args[0]);
      } else {
        sendException(request, kExceptionNameUnrecognized, 2);
      }
      break;
    case Op::RequestDataOnSimObjectType:
      sendData(request);
      break;
    case Op::TransmitClientEvent: {
      const auto event = events_.find(request.args[1]);
      if (request.args[0] != sc::kObjectUser && request.args[0] != kUserObjectId) {
        sendException(request, kExceptionUnrecognizedId, 1);
      } else if (event == events_.end()) {
        sendException(request, kExceptionUnrecognizedId, 2);
      } else {
        out_ << aircraft_.apply(event->second, request.args[2]) << std::endl;
      }
      break;
    }
    case Op::Close:
      break;
  }
}

void ClientSession::addDatum(const Request& request) {
  const std::string name = fieldText(request.text1);
  const uint32_t type = request.args[1];
  const auto known = definitions_.find(request.args[0]);
  const size_t size = known == definitions_.end() ? sc::kDataStart : dataSize(known->second);
  if (type != sc::kDataTypeFloat64 && type != sc::kDataTypeString256) {
    sendException(request, kExceptionDataTypeUnsupported, 4);
  } else if (!isTitle(name) && !aircraft_.variable(name)) {
    sendException(request, kExceptionNameUnrecognized, 2);
  } else if (size + datumSize(type) > kLargestMessage) {
    // Its data would no longer fit in a message the client library takes.
    sendException(request, kExceptionDefinitionTooLarge, 1);
  } else {
    definitions_[request.args[0]].push_back({name, type});
  }
}

void ClientSession::sendData(const Request& request) {
  const auto definition = definitions_.find(request.args[1]);
  if (definition == definitions_.end()) {
    sendException(request, kExceptionUnrecognizedId, 2);
    return;
  }
  if (request.args[3] != sc::kObjectUser) {
    sendException(request, kExceptionUnrecognizedId, 4);
    return;
  }
  MessageBuilder message(sc::kRecvSimObjectDataByType,
                         static_cast<uint32_t>(dataSize(definition->second)));
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
  send_(message.bytes());
}

void ClientSession::sendException(const Request& request, uint32_t code, uint32_t index) {
  out_ << "exception " << code << " for request " << request.sendId << std::endl;
  send_(MessageBuilder(sc::kRecvException, sc::kExceptionSize)
            .u32(sc::kExceptionCode, code)
            .u32(sc::kExceptionSendId, request.sendId)
            .u32(sc::kExceptionIndex, index)
            .bytes());
}

void ClientSession::sendSixHertz() {
  for (const uint32_t eventId : sixHertz_) {
    send_(MessageBuilder(sc::kRecvEvent, sc::kEventSize)
              .u32(sc::kEventGroupId, kNoGroup)
              .u32(sc::kEventId, eventId)
              .u32(sc::kEventData, 0)
              .bytes());
  }
}

}  // namespace qv::standin
