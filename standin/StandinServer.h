#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "standin/Aircraft.h"
#include "standin/Channel.h"
#include "standin/StandinProtocol.h"

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
  struct Datum {
    std::string name;
    uint32_t type;
  };
  struct Client {
    explicit Client(net::Handle socket, bool stream) : channel(socket, stream, requestLength) {}
    Channel channel;
    std::string name;
    std::map<uint32_t, std::vector<Datum>> definitions;
    std::map<uint32_t, std::string> events;  // client event id -> simulator event
    std::set<uint32_t> sixHertz;             // client event ids subscribed to "6Hz"
  };

  void accept();
  // False when the client has gone.
  bool serve(Client& client);
  void handle(Client& client, const Request& request);
  void sendData(Client& client, const Request& request);
  void sendException(Client& client, const Request& request, uint32_t code, uint32_t index);
  void sendSixHertz();
  static void sendMessage(Client& client, const std::vector<uint8_t>& message);
  void dropClient(size_t index);

  Aircraft& aircraft_;
  std::ostream& out_;
  net::Handle listener_ = net::kNoSocket;
  bool started_ = false;
  net::Endpoint endpoint_;
  std::vector<std::unique_ptr<Client>> clients_;
};

}  // namespace qv::standin
