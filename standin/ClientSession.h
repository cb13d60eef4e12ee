#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "standin/Aircraft.h"
#include "standin/StandinProtocol.h"

namespace qv::standin {

// One client of the stand-in simulator, whatever carries its packets: its
// requests, the data definitions, event mappings and "6Hz" subscriptions
// they make, and the messages they answer with.
class ClientSession {
 public:
  using Send = std::function<void(const std::vector<uint8_t>& message)>;

  ClientSession(Aircraft& aircraft, std::ostream& out, Send send);

  // One request packet as received. A packet of another size than a request
  // is ignored; false when the request closes the connection.
  bool receive(std::span<const uint8_t> packet);
  // The "6Hz" event for each of the client's subscriptions.
  void sendSixHertz();

  [[nodiscard]] const std::string& name() const { return name_; }

 private:
  struct Datum {
    std::string name;
    uint32_t type;
  };

  // The size of the data message of a definition.
  static size_t dataSize(const std::vector<Datum>& definition);

  void handle(const Request& request);
  void addDatum(const Request& request);
  void sendData(const Request& request);
  void sendException(const Request& request, uint32_t code, uint32_t index);

  Aircraft& aircraft_;
  std::ostream& out_;
  Send send_;
  std::string name_;
  std::map<uint32_t, std::vector<Datum>> definitions_;
  std::map<uint32_t, std::string> events_;  // client event id -> simulator event
  std::set<uint32_t> sixHertz_;             // client event ids subscribed to "6Hz"
};

}  // namespace qv::standin
