#include "standin/StandinServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <strings.h>
#include <cerrno>
#include <cstring>

#include "sim/SimConnectApi.h"
#include "standin/MessageBuilder.h"
#include "standin/SocketFile.h"

namespace qv::standin {

namespace sc = qv::simconnect;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kSixHertzPeriod = std::chrono::microseconds(1'000'000 / 6);
constexpr auto kGearStep = std::chrono::milliseconds(50);
constexpr int kPollMs = 10;
constexpr uint32_t kUserObjectId = 1;
constexpr uint32_t kNoGroup = 0xFFFFFFFFU;

bool fillAddress(const std::string& path, sockaddr_un& address) {
  address = sockaddr_un{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

std::string fieldText(const char (&field)[kTextSize]) {
  return {field, strnlen(field, kTextSize)};
}

bool isTitle(const std::string& name) {
  return strcasecmp(name.c_str(), "Title") == 0;
}

}  // namespace

StandinServer::StandinServer(Aircraft& aircraft, std::ostream& out)
    : aircraft_(aircraft), out_(out) {}

StandinServer::~StandinServer() {
  while (!clients_.empty()) {
    dropClient(clients_.size() - 1);
  }
  if (listenFd_ >= 0) {
    close(listenFd_);
    static_cast<void>(unlink(path_.c_str()));
  }
}

bool StandinServer::listen(const std::string& path, std::string& error) {
  sockaddr_un address{};
  if (!fillAddress(path, address)) {
    error = "socket path too long: " + path;
    return false;
  }
  if (!clearSocketPath(path, error)) {
    return false;
  }
  listenFd_ = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listenFd_ < 0 ||
      bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd_, 8) != 0) {
    error = "cannot listen on " + path + ": " + std::strerror(errno);
    return false;
  }
  path_ = path;
  return true;
}

void StandinServer::run(int stopFd) {
  auto nextSixHertz = Clock::now() + kSixHertzPeriod;
  auto lastGearStep = Clock::now();
  for (;;) {
    std::vector<pollfd> fds{{stopFd, POLLIN, 0}, {listenFd_, POLLIN, 0}};
    for (const auto& client : clients_) {
      fds.push_back({client->fd, POLLIN, 0});
    }
    static_cast<void>(poll(fds.data(), fds.size(), kPollMs));
    if ((fds[0].revents & POLLIN) != 0) {
      break;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      accept();
    }
    for (size_t i = fds.size(); i-- > 2;) {
      if (fds[i].revents != 0 && !serve(*clients_[i - 2])) {
        out_ << "client closed: " << clients_[i - 2]->name << std::endl;
        dropClient(i - 2);
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
    sendMessage(*client, quit);
  }
  out_ << "stopped" << std::endl;
}

void StandinServer::accept() {
  const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
  if (fd < 0) {
    return;
  }
  if (const std::optional<uid_t> user = peerUser(fd); user != geteuid()) {
    out_ << "refused a client of another user (uid "
         << (user ? std::to_string(*user) : std::string("unknown")) << ")" << std::endl;
    close(fd);
    return;
  }
  clients_.push_back(std::make_unique<Client>(Client{fd, {}, {}, {}, {}}));
}

bool StandinServer::serve(Client& client) {
  for (;;) {
    Request request;
    const ssize_t length = recv(client.fd, &request, sizeof request, MSG_DONTWAIT);
    if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return true;
    }
    if (length <= 0) {
      return false;
    }
    if (static_cast<size_t>(length) != sizeof request) {
      continue;
    }
    if (request.op == Op::Close) {
      return false;
    }
    handle(client, request);
  }
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
  static_cast<void>(send(client.fd, message.data(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT));
}

void StandinServer::dropClient(size_t index) {
  close(clients_[index]->fd);
  clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace qv::standin
