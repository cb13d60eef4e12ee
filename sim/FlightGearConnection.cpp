#include "sim/FlightGearConnection.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "sim/TSimCon.h"

namespace qv {

namespace {

// A server that has not answered the first two questions within this many
// connect phases (10 s) is given up and asked again from the start. A busy
// FlightGear was seen to take 2.7 s over a new connection's first answer.
constexpr int kOpenPhases = 40;
constexpr size_t kReceiveChunk = 4096;

// The server's text of a value: "true"/"false" for switches, a number for
// the rest, an empty line for a property that does not exist.
double parseValue(const std::string& text) {
  if (text == "true") {
    return 1.0;
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end != text.data() ? value : 0.0;
}

std::string formatValue(double value) {
  std::array<char, 32> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return error == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

}  // namespace

FlightGearConnection::FlightGearConnection(SimulatorMapping mapping)
    : mapping_(std::move(mapping)), socketsStarted_(net::start()) {}

FlightGearConnection::~FlightGearConnection() {
  if (socket_ != net::kNoSocket) {
    net::closeSocket(socket_);
  }
  if (socketsStarted_) {
    net::finish();
  }
}

SimulatorConnection::Opening FlightGearConnection::open(TSimCon& con) {
  if (socket_ == net::kNoSocket) {
    if (!socketsStarted_ || mapping_.port == 0) {
      return Opening::Failed;
    }
    socket_ = net::beginConnect(mapping_.port);
    if (socket_ == net::kNoSocket) {
      return Opening::Failed;
    }
    openPhases_ = 0;
    outgoing_ = "data\r\n";
    ask({mapping_.aircraftPath, mapping_.versionPath});
  }
  if (!flushAndReceive(con) || (!asked_.empty() && ++openPhases_ > kOpenPhases)) {
    close(con);
    return Opening::Failed;
  }
  if (!asked_.empty()) {
    return Opening::Waiting;
  }
  version_ = known_[mapping_.versionPath];
  aircraft_ = mapping_.forAircraft(known_[mapping_.aircraftPath]);
  polled_.clear();
  for (const DataSource& source : aircraft_.data) {
    if (!source.path.empty() && !source.constant) {
      polled_.push_back(source.path);
    }
  }
  // A toggle inverts the state last read, so its property is read too.
  for (const auto& [name, writes] : aircraft_.events) {
    for (const PropertyWrite& write : writes) {
      if (write.toggle && std::find(polled_.begin(), polled_.end(), write.path) == polled_.end()) {
        polled_.push_back(write.path);
      }
    }
  }
  ask(polled_);
  return flushAndReceive(con) ? Opening::Answered : Opening::Failed;
}

bool FlightGearConnection::exchange(TSimCon& con) {
  if (!flushAndReceive(con)) {
    return false;
  }
  if (asked_.empty()) {
    takeData(con);
    ask(polled_);
    return flushAndReceive(con);
  }
  return true;
}

void FlightGearConnection::send(TSimCon& con, const DirectEvent& event) {
  const auto found = aircraft_.events.find(event.name);
  if (found == aircraft_.events.end()) {
    return;
  }
  for (const PropertyWrite& write : found->second) {
    double value = 0.0;
    if (write.toggle) {
      value = valueOf(write.path) >= 0.5 ? 0.0 : 1.0;
    } else {
      value = write.value ? *write.value : static_cast<double>(event.value) / write.divide;
    }
    const std::string text = formatValue(value);
    outgoing_ += "set " + write.path + " " + text + "\r\n";
    known_[write.path] = text;
    // An answer still due was read before this write and would undo it.
    if (std::find(asked_.begin(), asked_.end(), write.path) != asked_.end()) {
      staleAnswers_.insert(write.path);
    }
  }
  // A failure shows in the next exchange, which then ends the connection.
  static_cast<void>(flushAndReceive(con));
}

void FlightGearConnection::close(TSimCon& /*con*/) {
  if (socket_ != net::kNoSocket) {
    net::closeSocket(socket_);
  }
  socket_ = net::kNoSocket;
  outgoing_.clear();
  incoming_.clear();
  asked_.clear();
  known_.clear();
  staleAnswers_.clear();
}

std::string FlightGearConnection::simulatorName(const TSimCon& /*con*/) const {
  return version_.empty() ? std::string() : "FlightGear " + version_;
}

void FlightGearConnection::ask(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    outgoing_ += "get " + path + "\r\n";
    asked_.push_back(path);
  }
}

bool FlightGearConnection::flushAndReceive(TSimCon& con) {
  if (socket_ == net::kNoSocket) {
    return false;
  }
  while (!outgoing_.empty()) {
    const long sent = net::sendSome(socket_, outgoing_.data(), outgoing_.size());
    if (sent == net::kWouldBlock) {
      break;
    }
    if (sent <= 0) {
      return false;
    }
    outgoing_.erase(0, static_cast<size_t>(sent));
  }
  std::array<char, kReceiveChunk> chunk{};
  for (;;) {
    const long received = net::receiveSome(socket_, chunk.data(), chunk.size());
    if (received == net::kWouldBlock) {
      break;
    }
    if (received <= 0) {
      return false;
    }
    incoming_.append(chunk.data(), static_cast<size_t>(received));
  }
  for (size_t end = incoming_.find('\n'); end != std::string::npos; end = incoming_.find('\n')) {
    std::string line = incoming_.substr(0, end);
    incoming_.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    // Lines nobody asked for (a prompt before data mode) are dropped.
    if (!asked_.empty()) {
      const std::string& path = asked_.front();
      if (staleAnswers_.erase(path) == 0) {
        known_[path] = std::move(line);
      }
      asked_.pop_front();
      ++con.RxCount;
    }
  }
  return true;
}

void FlightGearConnection::takeData(TSimCon& con) {
  const DataSource& title = aircraft_.data.front();
  con.Title = title.path.empty() ? std::string() : known_[title.path];
  for (size_t k = 1; k < aircraft_.data.size(); ++k) {
    const DataSource& source = aircraft_.data.at(k);
    double value = 0.0;
    if (source.constant) {
      value = *source.constant;
    } else if (!source.path.empty()) {
      value = valueOf(source.path) * source.scale;
    }
    con.PlaneData.at(k).Value = value;
  }
}

double FlightGearConnection::valueOf(const std::string& path) const {
  const auto found = known_.find(path);
  return found == known_.end() ? 0.0 : parseValue(found->second);
}

}  // namespace qv
