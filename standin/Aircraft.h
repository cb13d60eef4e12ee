#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qv::standin {

// The one aircraft of the stand-in simulator: its variables by name, the
// events it knows, and the gear moving between up and down.
class Aircraft {
 public:
  Aircraft(int engines, std::string title, bool gearDown);

  [[nodiscard]] const std::string& title() const { return title_; }
  // Another aircraft loaded: its title is sent with the next data.
  void setTitle(std::string title) { title_ = std::move(title); }
  // The value of a variable ("NAME" or "NAME:index", any case); nothing for
  // a name the aircraft does not have.
  [[nodiscard]] std::optional<double> variable(std::string_view name) const;
  [[nodiscard]] static bool knowsEvent(std::string_view eventName);

  // Applies one event with its data; returns the line that says what it did.
  std::string apply(std::string_view eventName, uint32_t data);

  // Moves the gear on by `seconds`; returns a line when a leg position worth
  // telling was reached (every quarter of the way), else nothing.
  std::optional<std::string> moveGear(double seconds);

 private:
  double& var(const std::string& name) { return variables_.at(name); }
  std::string toggle(const std::string& name);
  std::string set(const std::string& name, double value);
  std::string perEngine(const std::string& stem, bool toggled, double value);

  int engines_;
  std::string title_;
  std::map<std::string, double, std::less<>> variables_;
  double gearTarget_;
};

}  // namespace qv::standin
