#include "standin/StandinServer.h"

#include <chrono>
#include <thread>

#include "sim/SimConnectApi.h"
#include "standin/MessageBuilder.h"

namespace qv::standin {

namespace sc = qv::simconnect;

namespace {

constexpr auto kSixHertzPeriod = std::chrono::microseconds(1'000'000 / 6);
constexpr auto kGearStep = std::chrono::milliseconds(50);
constexpr int kPollMs = 10;
// A listener that stays readable while no client can be taken (out of
// descriptors) is left alone this long instead of being polled in a spin.
constexpr auto kAcceptPause = std::chrono::milliseconds(100);
// Requests served per client in one round, so that one client that keeps
// sending holds up neither the others nor the "6Hz" events.
constexpr int kRequestsPerTurn = 16;

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
  const auto start = Clock::now();
  nextSixHertz_ = start + kSixHertzPeriod;
  lastGearStep_ = start;
  acceptPausedUntil_ = start;
  bool busy = false;
  while (!stopRequested()) {
    const bool listening = Clock::now() >= acceptPausedUntil_;
    if (waitForActivity(listening, busy ? 0 : kPollMs) && !accept()) {
      acceptPausedUntil_ = Clock::now() + kAcceptPause;
    }
    busy = serveClients();
    const auto now = Clock::now();
    moveGear(now);
    sendSixHertzWhenDue(now);
  }
  sendQuit();
  out_ << "stopped" << std::endl;
}

bool StandinServer::waitForActivity(bool listening, int timeoutMs) {
  std::vector<net::Handle> sockets;
  if (listening) {
    sockets.push_back(listener_);
  }
  for (const auto& client : clients_) {
    sockets.push_back(client->channel.socket());
  }
  if (sockets.empty()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    return false;
  }
  net::waitReadable(sockets, ready_, timeoutMs);
  return listening && ready_[0];
}

bool StandinServer::serveClients() {
  bool busy = false;
  // Every client gets its turn: one with requests left from its last turn
  // may have nothing new to make its socket readable.
  for (size_t i = clients_.size(); i-- > 0;) {
    Client& client = *clients_[i];
    client.channel.flush();
    const Turn turn = serve(client);
    busy = busy || turn == Turn::More;
    if (turn == Turn::Gone || client.channel.closed()) {
      out_ << "client closed: " << client.session.name() << std::endl;
      dropClient(i);
    }
  }
  return busy;
}

void StandinServer::moveGear(Clock::time_point now) {
  if (now - lastGearStep_ < kGearStep) {
    return;
  }
  const std::chrono::duration<double> elapsed = now - lastGearStep_;
  lastGearStep_ = now;
  if (const auto line = aircraft_.moveGear(elapsed.count())) {
    out_ << *line << std::endl;
  }
}

void StandinServer::sendSixHertzWhenDue(Clock::time_point now) {
  if (now < nextSixHertz_) {
    return;
  }
  nextSixHertz_ += kSixHertzPeriod;
  for (const auto& client : clients_) {
    client->session.sendSixHertz();
  }
}

void StandinServer::sendQuit() {
  const std::vector<uint8_t> quit = MessageBuilder(sc::kRecvQuit, sc::kHeaderSize).bytes();
  for (const auto& client : clients_) {
    // Requests left unread would make the close of a TCP connection a reset,
    // which may throw away the QUIT before the client reads it.
    while (client->channel.receive()) {
    }
    sendMessage(*client, quit);
  }
}

bool StandinServer::accept() {
  std::string refusal;
  const net::Handle socket = net::acceptClient(listener_, endpoint_, refusal);
  if (!refusal.empty()) {
    out_ << refusal << std::endl;
    return true;
  }
  if (socket == net::kNoSocket) {
    return false;
  }
  clients_.push_back(std::make_unique<Client>(socket, endpoint_.tcp, aircraft_, out_));
  return true;
}

StandinServer::Turn StandinServer::serve(Client& client) {
  for (int served = 0; served < kRequestsPerTurn; ++served) {
    const std::optional<std::vector<uint8_t>> packet = client.channel.receive();
    if (!packet) {
      return client.channel.closed() ? Turn::Gone : Turn::Done;
    }
    if (!client.session.receive(*packet)) {
      return Turn::Gone;
    }
  }
  return Turn::More;
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
