#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "standin/Aircraft.h"
#include "standin/ClientSession.h"

namespace qv::standin {

// The stand-in simulator's side of the local socket: accepts clients,
// answers their requests, sends "6Hz" events and data, and QUIT when it
// stops. Single-threaded; everything happens in run().
class StandinServer {
 public:
  StandinServer(Aircraft& aircraft, std::ostream& out);
  ~StandinServer();
  StandinServer(const StandinServer&) = delete;
  StandinServer& operator=(const StandinServer&) = delete;

  // Binds the socket; false with the reason when another stand-in already
  // listens there or the socket cannot be made.
  bool listen(const std::string& path, std::string& error);
  // Serves until stopFd becomes readable, then sends QUIT to every client.
  void run(int stopFd);

 private:
  struct Client {
    int fd;
    ClientSession session;
  };

  void accept();
  // False when the client has gone.
  static bool serve(Client& client);
  static void sendMessage(int fd, const std::vector<uint8_t>& message);
  void dropClient(size_t index);

  Aircraft& aircraft_;
  std::ostream& out_;
  int listenFd_ = -1;
  std::string path_;
  std::vector<std::unique_ptr<Client>> clients_;
};

}  // namespace qv::standin
