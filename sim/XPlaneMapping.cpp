#include "sim/XPlaneMapping.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "sim/DataDefinition.h"
#include "sim/XPlaneDatagrams.h"

namespace qv {

namespace {

using nlohmann::json;

// A dataref name must fit its field with the closing zero.
std::string datarefPath(const json& entry, size_t field) {
  std::string path = entry.get<std::string>();
  if (path.empty() || path.size() >= field) {
    throw std::invalid_argument("dataref name \"" + path + "\" is empty or too long");
  }
  return path;
}

DatarefSource datarefSource(const json& entry) {
  DatarefSource source;
  if (entry.is_string()) {
    source.path = datarefPath(entry, xplane::kSubscribeNameSize);
  } else if (entry.contains("value")) {
    source.constant = entry.at("value").get<double>();
  } else {
    source.path = datarefPath(entry.at("path"), xplane::kSubscribeNameSize);
    source.scale = entry.value("scale", 1.0);
  }
  return source;
}

DatarefWrite datarefWrite(const json& entry) {
  DatarefWrite write;
  if (entry.contains("toggle")) {
    write.path = datarefPath(entry.at("toggle"), xplane::kSubscribeNameSize);
    write.toggle = true;
    return write;
  }
  write.path = datarefPath(entry.at("set"), xplane::kWritePathSize);
  if (entry.contains("value")) {
    write.value = entry.at("value").get<double>();
  }
  write.divide = entry.value("divide", 1.0);
  if (write.divide == 0.0) {
    throw std::invalid_argument("\"divide\" of " + write.path + " is 0");
  }
  return write;
}

size_t dataRow(const std::string& name) {
  for (size_t row = 0; row < kDataDefinition.size(); ++row) {
    if (name == kDataDefinition.at(row).name) {
      return row;
    }
  }
  throw std::invalid_argument("no value of the data definition is named \"" + name + "\"");
}

void readSection(const json& section, XPlaneMapping& mapping) {
  mapping.port = section.value("port", mapping.port);
  const json generic = section.value("generic", json::object());
  // value() returns a copy: it is kept while its items are walked.
  const json data = generic.value("data", json::object());
  const json events = generic.value("events", json::object());
  for (const auto& [name, entry] : data.items()) {
    mapping.data.at(dataRow(name)) = datarefSource(entry);
  }
  for (const auto& [name, entry] : events.items()) {
    std::vector<DatarefWrite> writes;
    if (entry.is_array()) {
      for (const json& one : entry) {
        writes.push_back(datarefWrite(one));
      }
    } else {
      writes.push_back(datarefWrite(entry));
    }
    mapping.events.insert_or_assign(name, std::move(writes));
  }
}

}  // namespace

XPlaneMapping XPlaneMapping::load(const std::vector<std::string>& files,
                                  std::vector<std::string>& errors) {
  XPlaneMapping mapping;
  for (const std::string& file : files) {
    std::ifstream in(file);
    if (!in) {
      continue;
    }
    // A file is taken whole or not at all, so a slip in a user's file
    // leaves the installed table as it was.
    try {
      const json root = json::parse(in);
      if (!root.contains("xplane")) {
        continue;
      }
      XPlaneMapping read = mapping;
      readSection(root.at("xplane"), read);
      mapping = std::move(read);
    } catch (const std::exception& error) {
      errors.push_back(file + ": " + error.what());
    }
  }
  return mapping;
}

}  // namespace qv
