#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "platform/UdpSocket.h"
#include "sim/SimulatorConnection.h"
#include "sim/SimulatorMapping.h"

namespace qv {

// X-Plane through its UDP dataref interface on 127.0.0.1: every mapped
// dataref is subscribed under an index of its own (the title one byte per
// index) and X-Plane sends their values a few times a second; events write
// datarefs. Each tick takes what has arrived and asks again for what never
// did, since any datagram may be lost.
class XPlaneConnection final : public SimulatorConnection {
 public:
  // The mapping's generic entries: X-Plane names no aircraft to choose by.
  explicit XPlaneConnection(const SimulatorMapping& mapping);

  Opening open(TSimCon& con) override;
  bool exchange(TSimCon& con) override;
  void send(TSimCon& con, const DirectEvent& event) override;
  void close(TSimCon& con) override;
  [[nodiscard]] std::string simulatorName(const TSimCon& con) const override;

 private:
  using Clock = std::chrono::steady_clock;

  struct Subscription {
    std::string name;
    float value = 0.0F;
    bool heard = false;
    Clock::time_point heldUntil;  // a write's value stands until then
  };

  void subscribe(const std::string& name);
  // Sends the requests of every subscription not heard from yet.
  void requestMissing();
  // Takes every datagram that has arrived; true when X-Plane answered.
  bool receive(TSimCon& con);
  void takeData(TSimCon& con) const;
  [[nodiscard]] const Subscription* find(const std::string& name) const;

  uint16_t port_;
  AircraftMapping mapping_;
  UdpSocket socket_;
  std::vector<Subscription> subscriptions_;
  std::map<std::string, size_t, std::less<>> indexOf_;
  size_t titleBytes_ = 0;  // the first subscriptions are the title's bytes
  std::vector<uint8_t> datagram_;
  Clock::time_point lastAnswer_;
  int phases_ = 0;
  bool answered_ = false;
};

}  // namespace qv
