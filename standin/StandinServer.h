#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "standin/Aircraft.h"
#include "standin/Channel.h"
#include "standin/ClientSession.h"

namespace qv::standin {

// The stand-in simulator's side of the socket: accepts clients,
// answers their requests, sends "6Hz" events and data, and QUIT when it
// stops. Single-threaded; everything happens in run().
class StandinServer {
 public:
  StandinServer(Aircraft& aircraft, std::ostream& out);
  ~StandinServer();
  StandinServer(const StandinServer&) = delete;
  StandinServer& operator=(const StandinServer&) = delete;

  // Binds the socket; false with the reason when another stand-in already
  // listens there or the socket cannot be made. A TCP endpoint of port 0
  // gets a free port, which endpoint() then holds.
  bool listen(const net::Endpoint& endpoint, std::string& error);
  [[nodiscard]] const net::Endpoint& endpoint() const { return endpoint_; }
  // Serves until `stopRequested` holds (asked at least every 10 ms), then
  // sends QUIT to every client.
  void run(const std::function<bool()>& stopRequested);

 private:
  using Clock = std::chrono::steady_clock;

  struct Client {
    Client(net::Handle socket, bool stream, Aircraft& aircraft, std::ostream& out)
        : channel(socket, stream, requestLength),
          session(aircraft, out,
                  [this](const std::vector<uint8_t>& message) { sendMessage(*this, message); }) {}
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    Channel channel;
    ClientSession session;
  };

  // How a client's turn ended: nothing left to read, requests left for the
  // next turn, or the client has gone.
  enum class Turn { Done, More, Gone };

  // False when the listener was readable but gave no client, as when the
  // process is out of descriptors.
  bool accept();
  Turn serve(Client& client);
  // Waits up to `timeoutMs` for the listener (when `listening`) or a client
  // to become readable; true when the listener has a client waiting.
  bool waitForActivity(bool listening, int timeoutMs);
  // One turn for every client; true when one has requests left over.
  bool serveClients();
  void moveGear(Clock::time_point now);
  void sendSixHertzWhenDue(Clock::time_point now);
  // Sends QUIT to every client once its unread requests are drained.
  void sendQuit();
  static void sendMessage(Client& client, const std::vector<uint8_t>& message);
  void dropClient(size_t index);

  Aircraft& aircraft_;
  std::ostream& out_;
  net::Handle listener_ = net::kNoSocket;
  bool started_ = false;
  net::Endpoint endpoint_;
  std::vector<std::unique_ptr<Client>> clients_;
  std::vector<bool> ready_;
  Clock::time_point nextSixHertz_;
  Clock::time_point lastGearStep_;
  Clock::time_point acceptPausedUntil_;
};

}  // namespace qv::standin
