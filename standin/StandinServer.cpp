#include "standin/StandinServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <span>

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

bool fillAddress(const std::string& path, sockaddr_un& address) {
  address = sockaddr_un{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
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
        out_ << "client closed: " << clients_[i - 2]->session.name() << std::endl;
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
      for (const auto& client : clients_) {
        client->session.sendSixHertz();
      }
    }
  }
  const std::vector<uint8_t> quit = MessageBuilder(sc::kRecvQuit, sc::kHeaderSize).bytes();
  for (const auto& client : clients_) {
    sendMessage(client->fd, quit);
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
  clients_.push_back(std::make_unique<Client>(Client{
      fd, ClientSession(aircraft_, out_,
                        [fd](const std::vector<uint8_t>& message) { sendMessage(fd, message); })}));
}

bool StandinServer::serve(Client& client) {
  for (;;) {
    // A longer packet arrives cut to the size of a request.
    std::array<uint8_t, sizeof(Request)> packet{};
    const ssize_t length = recv(client.fd, packet.data(), packet.size(), MSG_DONTWAIT);
    if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return true;
    }
    if (length <= 0) {
      return false;
    }
    if (!client.session.receive(std::span(packet.data(), static_cast<size_t>(length)))) {
      return false;
    }
  }
}

void StandinServer::sendMessage(int fd, const std::vector<uint8_t>& message) {
  // A client that does not read loses messages rather than stalling the
  // simulator.
  static_cast<void>(send(fd, message.data(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT));
}

void StandinServer::dropClient(size_t index) {
  close(clients_[index]->fd);
  clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace qv::standin
