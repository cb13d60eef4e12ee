#include "sim/XPlaneConnection.h"

#include <cmath>

#include "sim/TSimCon.h"
#include "sim/XPlaneDatagrams.h"

namespace qv {

namespace {

using namespace std::chrono_literals;

constexpr size_t kTitleBytes = 128;
constexpr int32_t kPerSecond = 5;
// An X-Plane that has not answered within this many connect phases (2 s)
// is asked again from the start.
constexpr int kOpenPhases = 8;
// Subscriptions never answered are asked again every this many ticks (1 s).
constexpr int kRequestAgainTicks = 4;
// X-Plane stalls for a few seconds while it loads an aircraft or scenery;
// a longer silence means it has gone.
constexpr auto kSilence = 5s;
// Answers sent before X-Plane applied a write still carry the old state.
constexpr auto kWriteHold = 500ms;
constexpr size_t kLargestDatagram = 65536;

}  // namespace

XPlaneConnection::XPlaneConnection(const SimulatorMapping& mapping)
    : port_(mapping.port), mapping_(mapping.forAircraft("")), datagram_(kLargestDatagram) {
  const DataSource& title = mapping_.data.front();
  if (!title.path.empty()) {
    titleBytes_ = kTitleBytes;
    for (size_t byte = 0; byte < kTitleBytes; ++byte) {
      subscribe(title.path + "[" + std::to_string(byte) + "]");
    }
  }
  for (size_t row = 1; row < mapping_.data.size(); ++row) {
    subscribe(mapping_.data.at(row).path);
  }
  // A toggle inverts the state last read, so its dataref is read too.
  for (const auto& [name, writes] : mapping_.events) {
    for (const PropertyWrite& write : writes) {
      if (write.toggle) {
        subscribe(write.path);
      }
    }
  }
}

SimulatorConnection::Opening XPlaneConnection::open(TSimCon& con) {
  if (!socket_.isOpen()) {
    if (port_ == 0 || subscriptions_.empty() || !socket_.open()) {
      return Opening::Failed;
    }
    phases_ = 0;
    answered_ = false;
    for (Subscription& subscription : subscriptions_) {
      subscription = {subscription.name, 0.0F, false, {}};
    }
    requestMissing();
  }
  if (receive(con)) {
    lastAnswer_ = Clock::now();
    answered_ = true;
    phases_ = 0;
    return Opening::Answered;
  }
  if (++phases_ > kOpenPhases) {
    close(con);
    return Opening::Failed;
  }
  return Opening::Waiting;
}

bool XPlaneConnection::exchange(TSimCon& con) {
  if (!socket_.isOpen()) {
    return false;
  }
  const Clock::time_point now = Clock::now();
  if (receive(con)) {
    lastAnswer_ = now;
  } else if (now - lastAnswer_ > kSilence) {
    return false;
  }
  if (++phases_ % kRequestAgainTicks == 0) {
    requestMissing();
  }
  takeData(con);
  return true;
}

void XPlaneConnection::send(TSimCon& /*con*/, const DirectEvent& event) {
  const auto found = mapping_.events.find(event.name);
  if (found == mapping_.events.end() || !socket_.isOpen()) {
    return;
  }
  for (const PropertyWrite& write : found->second) {
    const auto index = indexOf_.find(write.path);
    Subscription* read = index == indexOf_.end() ? nullptr : &subscriptions_.at(index->second);
    double value = 0.0;
    if (write.toggle) {
      value = read != nullptr && read->value >= 0.5F ? 0.0 : 1.0;
    } else {
      value = write.value ? *write.value : static_cast<double>(event.value) / write.divide;
    }
    const auto datagram = xplane::writeRequest(static_cast<float>(value), write.path);
    // A write lost on the way is a switch the aircraft did not follow; the
    // toggle comparison mends it on the switch's next move.
    static_cast<void>(socket_.sendTo(port_, datagram.data(), datagram.size()));
    if (read != nullptr) {
      read->value = static_cast<float>(value);
      read->heldUntil = Clock::now() + kWriteHold;
    }
  }
}

void XPlaneConnection::close(TSimCon& /*con*/) {
  if (!socket_.isOpen()) {
    return;
  }
  // X-Plane keeps sending to a subscriber until it is told to stop.
  for (size_t index = 0; index < subscriptions_.size(); ++index) {
    const auto datagram =
        xplane::subscribeRequest(0, static_cast<int32_t>(index), subscriptions_[index].name);
    static_cast<void>(socket_.sendTo(port_, datagram.data(), datagram.size()));
  }
  socket_.close();
  answered_ = false;
}

std::string XPlaneConnection::simulatorName(const TSimCon& /*con*/) const {
  return answered_ ? std::string("X-Plane") : std::string();
}

void XPlaneConnection::subscribe(const std::string& name) {
  if (name.empty() || indexOf_.contains(name)) {
    return;
  }
  indexOf_.emplace(name, subscriptions_.size());
  subscriptions_.push_back({name, 0.0F, false, {}});
}

void XPlaneConnection::requestMissing() {
  for (size_t index = 0; index < subscriptions_.size(); ++index) {
    if (subscriptions_[index].heard) {
      continue;
    }
    const auto datagram = xplane::subscribeRequest(kPerSecond, static_cast<int32_t>(index),
                                                   subscriptions_[index].name);
    // Those that do not go out now are asked again later.
    static_cast<void>(socket_.sendTo(port_, datagram.data(), datagram.size()));
  }
}

bool XPlaneConnection::receive(TSimCon& con) {
  bool answered = false;
  const Clock::time_point now = Clock::now();
  for (;;) {
    uint16_t sender = 0;
    const long size = socket_.receiveFrom(datagram_.data(), datagram_.size(), sender);
    if (size < 0) {
      return answered;
    }
    // Only X-Plane's port speaks for X-Plane.
    if (sender != port_) {
      continue;
    }
    const std::vector<xplane::DatarefValue> values =
        xplane::answerValues(datagram_.data(), static_cast<size_t>(size));
    for (const xplane::DatarefValue& answer : values) {
      if (answer.index < 0 || static_cast<size_t>(answer.index) >= subscriptions_.size() ||
          !std::isfinite(answer.value)) {
        continue;
      }
      Subscription& subscription = subscriptions_[static_cast<size_t>(answer.index)];
      subscription.heard = true;
      if (now >= subscription.heldUntil) {
        subscription.value = answer.value;
      }
    }
    if (!values.empty()) {
      answered = true;
      ++con.RxCount;
    }
  }
}

void XPlaneConnection::takeData(TSimCon& con) const {
  std::string title;
  for (size_t byte = 0; byte < titleBytes_; ++byte) {
    const Subscription& letter = subscriptions_[byte];
    if (!letter.heard || letter.value < 1.0F || letter.value > 255.0F) {
      break;
    }
    title.push_back(static_cast<char>(static_cast<uint8_t>(letter.value)));
  }
  con.Title = std::move(title);
  for (size_t row = 1; row < mapping_.data.size(); ++row) {
    const DataSource& source = mapping_.data.at(row);
    double value = 0.0;
    if (source.constant) {
      value = *source.constant;
    } else if (const Subscription* read = find(source.path)) {
      value = static_cast<double>(read->value) * source.scale;
    }
    con.PlaneData.at(row).Value = value;
  }
}

const XPlaneConnection::Subscription* XPlaneConnection::find(const std::string& name) const {
  const auto found = indexOf_.find(name);
  return found == indexOf_.end() ? nullptr : &subscriptions_.at(found->second);
}

}  // namespace qv
