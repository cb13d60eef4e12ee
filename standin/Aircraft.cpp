#include "standin/Aircraft.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace qv::standin {

namespace {

constexpr double kGearPercentPerSecond = 25.0;  // up or down in four seconds
constexpr double kCowlFlapFull = 16383.0;

constexpr std::array<std::string_view, 26> kKnownEvents{
    "GEAR_UP",
    "GEAR_DOWN",
    "MAGNETO_OFF",
    "MAGNETO_RIGHT",
    "MAGNETO_LEFT",
    "MAGNETO_BOTH",
    "ENGINE_AUTO_START",
    "TOGGLE_MASTER_BATTERY",
    "TOGGLE_MASTER_ALTERNATOR",
    "AVIONICS_MASTER_SET",
    "FUEL_PUMP",
    "ANTI_ICE_ON",
    "ANTI_ICE_OFF",
    "PITOT_HEAT_ON",
    "PITOT_HEAT_OFF",
    "COWLFLAP1_SET",
    "COWLFLAP2_SET",
    "COWLFLAP3_SET",
    "COWLFLAP4_SET",
    "PANEL_LIGHTS_SET",
    "TOGGLE_BEACON_LIGHTS",
    "TOGGLE_NAV_LIGHTS",
    "STROBES_ON",
    "STROBES_OFF",
    "TOGGLE_TAXI_LIGHTS",
    "LANDING_LIGHTS_SET",
};

constexpr std::array<std::string_view, 4> kMagnetoNames{"OFF", "RIGHT", "LEFT", "BOTH"};

std::string upper(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return result;
}

std::string number(double value) {
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%g", value);
  return buffer.data();
}

}  // namespace

Aircraft::Aircraft(int engines, std::string title, bool gearDown)
    : engines_(engines), title_(std::move(title)), gearTarget_(gearDown ? 100.0 : 0.0) {
  for (const char* name :
       {"ELECTRICAL MASTER BATTERY", "AVIONICS MASTER SWITCH", "LIGHT BEACON", "LIGHT NAV",
        "LIGHT TAXI", "LIGHT PANEL", "LIGHT STROBE", "LIGHT LANDING", "PITOT HEAT",
        "STRUCTURAL DEICE SWITCH", "GEAR WARNING"}) {
    variables_[name] = 0.0;
  }
  for (int engine = 1; engine <= 4; ++engine) {
    const std::string index = ":" + std::to_string(engine);
    for (const char* stem :
         {"GENERAL ENG MASTER ALTERNATOR", "GENERAL ENG FUEL PUMP SWITCH",
          "RECIP ENG COWL FLAP POSITION", "RECIP ENG MAGNETO SWITCH", "GENERAL ENG COMBUSTION"}) {
      variables_[stem + index] = 0.0;
    }
  }
  variables_["NUMBER OF ENGINES"] = engines_;
  for (const char* leg : {"GEAR CENTER POSITION", "GEAR LEFT POSITION", "GEAR RIGHT POSITION"}) {
    variables_[leg] = gearTarget_;
  }
}

std::optional<double> Aircraft::variable(std::string_view name) const {
  const std::string key = upper(name);
  if (const auto it = variables_.find(key); it != variables_.end()) {
    return it->second;
  }
  // Variables of one part ("GEAR LEFT POSITION") also answer to index 1.
  const size_t colon = key.rfind(':');
  if (colon != std::string::npos && key.substr(colon) == ":1") {
    if (const auto it = variables_.find(key.substr(0, colon)); it != variables_.end()) {
      return it->second;
    }
  }
  return std::nullopt;
}

bool Aircraft::knowsEvent(std::string_view eventName) {
  const std::string key = upper(eventName);
  return std::find(kKnownEvents.begin(), kKnownEvents.end(), key) != kKnownEvents.end();
}

std::string Aircraft::toggle(const std::string& name) {
  double& value = var(name);
  value = value == 0.0 ? 1.0 : 0.0;
  return name + " " + number(value);
}

std::string Aircraft::set(const std::string& name, double value) {
  var(name) = value;
  return name + " " + number(value);
}

std::string Aircraft::perEngine(const std::string& stem, bool toggled, double value) {
  std::string line;
  for (int engine = 1; engine <= engines_; ++engine) {
    const std::string name = stem + ":" + std::to_string(engine);
    line += (line.empty() ? "" : ", ") + (toggled ? toggle(name) : set(name, value));
  }
  return line.empty() ? "no engine" : line;
}

std::string Aircraft::apply(std::string_view eventName, uint32_t data) {
  const std::string name = upper(eventName);
  const double on = data != 0 ? 1.0 : 0.0;
  std::string effect;
  if (name == "GEAR_UP" || name == "GEAR_DOWN") {
    gearTarget_ = name == "GEAR_UP" ? 0.0 : 100.0;
    effect = name == "GEAR_UP" ? "gear moving up" : "gear moving down";
  } else if (name.starts_with("MAGNETO_")) {
    const auto position =
        static_cast<double>(std::find(kMagnetoNames.begin(), kMagnetoNames.end(), name.substr(8)) -
                            kMagnetoNames.begin());
    effect = perEngine("RECIP ENG MAGNETO SWITCH", false, position);
  } else if (name == "ENGINE_AUTO_START") {
    perEngine("RECIP ENG MAGNETO SWITCH", false, 3.0);
    effect = perEngine("GENERAL ENG COMBUSTION", false, 1.0);
  } else if (name == "TOGGLE_MASTER_BATTERY") {
    effect = toggle("ELECTRICAL MASTER BATTERY");
  } else if (name == "TOGGLE_MASTER_ALTERNATOR") {
    effect = perEngine("GENERAL ENG MASTER ALTERNATOR", true, 0.0);
  } else if (name == "AVIONICS_MASTER_SET") {
    effect = set("AVIONICS MASTER SWITCH", on);
  } else if (name == "FUEL_PUMP") {
    effect = perEngine("GENERAL ENG FUEL PUMP SWITCH", true, 0.0);
  } else if (name == "ANTI_ICE_ON" || name == "ANTI_ICE_OFF") {
    effect = set("STRUCTURAL DEICE SWITCH", name == "ANTI_ICE_ON" ? 1.0 : 0.0);
  } else if (name == "PITOT_HEAT_ON" || name == "PITOT_HEAT_OFF") {
    effect = set("PITOT HEAT", name == "PITOT_HEAT_ON" ? 1.0 : 0.0);
  } else if (name.starts_with("COWLFLAP")) {
    const int engine = name[8] - '0';
    effect = engine <= engines_
                 ? set("RECIP ENG COWL FLAP POSITION:" + std::to_string(engine),
                       std::min(static_cast<double>(data), kCowlFlapFull) / kCowlFlapFull)
                 : "no engine " + std::to_string(engine) + ", ignored";
  } else if (name == "PANEL_LIGHTS_SET") {
    effect = set("LIGHT PANEL", on);
  } else if (name == "TOGGLE_BEACON_LIGHTS") {
    effect = toggle("LIGHT BEACON");
  } else if (name == "TOGGLE_NAV_LIGHTS") {
    effect = toggle("LIGHT NAV");
  } else if (name == "TOGGLE_TAXI_LIGHTS") {
    effect = toggle("LIGHT TAXI");
  } else if (name == "STROBES_ON" || name == "STROBES_OFF") {
    effect = set("LIGHT STROBE", name == "STROBES_ON" ? 1.0 : 0.0);
  } else if (name == "LANDING_LIGHTS_SET") {
    effect = set("LIGHT LANDING", on);
  } else {
    effect = "unknown event, ignored";
  }
  return name + " " + std::to_string(data) + ": " + effect;
}

std::optional<std::string> Aircraft::moveGear(double seconds) {
  double& nose = var("GEAR CENTER POSITION");
  if (nose == gearTarget_) {
    return std::nullopt;
  }
  const double before = nose;
  const double step = kGearPercentPerSecond * seconds;
  nose =
      gearTarget_ > nose ? std::min(gearTarget_, nose + step) : std::max(gearTarget_, nose - step);
  var("GEAR LEFT POSITION") = nose;
  var("GEAR RIGHT POSITION") = nose;
  if (nose == gearTarget_) {
    return gearTarget_ == 0.0 ? "gear up" : "gear down";
  }
  for (const double mark : {25.0, 50.0, 75.0}) {
    if (before != mark && (before - mark) * (nose - mark) <= 0.0) {
      return "gear at " + number(std::round(nose)) + "%";
    }
  }
  return std::nullopt;
}

}  // namespace qv::standin
