// Any bytes as the request packets of one client of the stand-in simulator:
// the input cut into packets of a request's size, a shorter rest as the last
// packet. Every answer must be a whole message that states its own size.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <span>
#include <vector>

#include "standin/Aircraft.h"
#include "standin/ClientSession.h"
#include "standin/StandinProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::standin::Aircraft aircraft(2, "Fuzz Aircraft", true);
  std::ostream discard(nullptr);
  qv::standin::ClientSession session(aircraft, discard, [](const std::vector<uint8_t>& message) {
    uint32_t stated = 0;
    if (message.size() >= 12) {
      std::memcpy(&stated, message.data(), sizeof stated);
    }
    if (message.size() < 12 || stated != message.size()) {
      std::abort();
    }
  });

  const std::span input(data, size);
  for (size_t at = 0; at < input.size(); at += sizeof(qv::standin::Request)) {
    const size_t length = std::min(sizeof(qv::standin::Request), input.size() - at);
    if (!session.receive(input.subspan(at, length))) {
      break;
    }
    session.sendSixHertz();
  }
  return 0;
}
