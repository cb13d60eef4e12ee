#include "sim/SimulatorMapping.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "sim/DataDefinition.h"

namespace qv {

namespace {

using nlohmann::json;

DataSource dataSource(const json& entry) {
  DataSource source;
  if (entry.is_string()) {
    source.path = entry.get<std::string>();
  } else if (entry.contains("value")) {
    source.constant = entry.at("value").get<double>();
  } else {
    source.path = entry.at("path").get<std::string>();
    source.scale = entry.value("scale", 1.0);
  }
  return source;
}

PropertyWrite propertyWrite(const json& entry) {
  PropertyWrite write;
  if (entry.contains("toggle")) {
    write.path = entry.at("toggle").get<std::string>();
    write.toggle = true;
    return write;
  }
  write.path = entry.at("set").get<std::string>();
  if (entry.contains("value")) {
    write.value = entry.at("value").get<double>();
  }
  write.divide = entry.value("divide", 1.0);
  if (write.divide == 0.0) {
    throw std::invalid_argument("\"divide\" of " + write.path + " is 0");
  }
  return write;
}

bool isDataDefinitionName(std::string_view name) {
  for (const DatumRow& row : kDataDefinition) {
    if (name == row.name) {
      return true;
    }
  }
  return false;
}

SimulatorMapping::Layer layer(const json& section) {
  SimulatorMapping::Layer result;
  if (section.contains("aircraft")) {
    result.aircraft = section.at("aircraft").get<std::vector<std::string>>();
  }
  const json data = section.value("data", json::object());
  const json events = section.value("events", json::object());
  for (const auto& [name, entry] : data.items()) {
    if (!isDataDefinitionName(name)) {
      throw std::invalid_argument("no value of the data definition is named \"" + name + "\"");
    }
    result.data[name] = dataSource(entry);
  }
  for (const auto& [name, entry] : events.items()) {
    std::vector<PropertyWrite>& writes = result.events[name];
    if (entry.is_array()) {
      for (const json& one : entry) {
        writes.push_back(propertyWrite(one));
      }
    } else {
      writes.push_back(propertyWrite(entry));
    }
  }
  return result;
}

bool appliesTo(const SimulatorMapping::Layer& layer, std::string_view aircraft) {
  if (layer.aircraft.empty()) {
    return true;
  }
  for (const std::string& prefix : layer.aircraft) {
    if (aircraft.substr(0, prefix.size()) == prefix) {
      return true;
    }
  }
  return false;
}

}  // namespace

SimulatorMapping SimulatorMapping::load(const std::vector<std::string>& files,
                                        std::string_view simulator,
                                        std::vector<std::string>& errors) {
  SimulatorMapping mapping;
  for (const std::string& file : files) {
    std::ifstream in(file);
    if (!in) {
      continue;
    }
    // A file is taken whole or not at all, so a slip in a user's file
    // leaves the installed table as it was.
    try {
      const json root = json::parse(in);
      if (!root.contains(simulator)) {
        continue;
      }
      const json& section = root.at(std::string(simulator));
      SimulatorMapping read = mapping;
      read.port = section.value("port", read.port);
      read.aircraftPath = section.value("aircraft", read.aircraftPath);
      read.versionPath = section.value("version", read.versionPath);
      read.layers_.push_back(layer(section.value("generic", json::object())));
      for (const json& over : section.value("aircraft-overrides", json::array())) {
        read.layers_.push_back(layer(over));
      }
      mapping = std::move(read);
    } catch (const std::exception& error) {
      errors.push_back(file + ": " + error.what());
    }
  }
  return mapping;
}

AircraftMapping SimulatorMapping::forAircraft(std::string_view aircraft) const {
  AircraftMapping result;
  for (const Layer& layer : layers_) {
    if (!appliesTo(layer, aircraft)) {
      continue;
    }
    for (size_t row = 0; row < kDataDefinition.size(); ++row) {
      const auto found = layer.data.find(kDataDefinition.at(row).name);
      if (found != layer.data.end()) {
        result.data.at(row) = found->second;
      }
    }
    for (const auto& [name, writes] : layer.events) {
      result.events.insert_or_assign(name, writes);
    }
  }
  return result;
}

}  // namespace qv
