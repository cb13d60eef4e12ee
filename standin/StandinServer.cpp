#include "standin/StandinServer.h"

#include <chrono>

#include "sim/SimConnectApi.h"
#include "standin/MessageBuilder.h"

namespace qv::standin {

namespace sc = qv::simconnect;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kSixHertzPeriod = std::chrono::microseconds(1'000'000 / 6);
constexpr auto kGearStep = std::chrono::milliseconds(50);
constexpr int kPollMs = 10;

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
        out_ << "client closed: " << client.session.name() << std::endl;
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
    clients_.push_back(std::make_unique<Client>(socket, endpoint_.tcp, aircraft_, out_));
  }
}

bool StandinServer::serve(Client& client) {
  while (const std::optional<std::vector<uint8_t>> packet = client.channel.receive()) {
    if (!client.session.receive(*packet)) {
      return false;
    }
  }
  return !client.channel.closed();
}

void StandinServer::sendSixHertz() {
  for (const auto& client : clients_) {
    client->session.sendSixHertz();
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
