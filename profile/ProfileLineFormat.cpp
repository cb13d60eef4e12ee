#include "profile/ProfileLineFormat.h"

#include <algorithm>

namespace qv {

std::string formatProfileLine(int id, const std::vector<std::string>& values) {
  std::string line = std::to_string(id);
  for (const std::string& value : values) {
    line += ",\"";
    for (const char c : value) {
      if (c == '"') {
        line += '"';
      }
      line += c;
    }
    line += '"';
  }
  return line;
}

namespace {

// Reads the quoted field that opens at line[pos]; returns with pos on the
// character after the closing quote (or at the end of an unterminated one).
std::string quotedField(std::string_view line, size_t& pos) {
  std::string value;
  ++pos;
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c != '"') {
      value += c;
    } else if (pos < line.size() && line[pos] == '"') {
      value += '"';
      ++pos;
    } else {
      break;
    }
  }
  return value;
}

std::string plainField(std::string_view line, size_t& pos) {
  const size_t comma = line.find(',', pos);
  const size_t end = comma == std::string_view::npos ? line.size() : comma;
  std::string value(line.substr(pos, end - pos));
  pos = end;
  return value;
}

}  // namespace

std::vector<std::string> splitProfileLine(std::string_view line, size_t maxFields) {
  std::vector<std::string> fields;
  if (line.empty()) {
    return fields;
  }
  size_t pos = 0;
  for (;;) {
    if (pos < line.size() && line[pos] == '"') {
      fields.push_back(quotedField(line, pos));
      if (pos < line.size() && line[pos] != ',') {
        fields.push_back(plainField(line, pos));
      }
    } else {
      fields.push_back(plainField(line, pos));
    }
    if (pos >= line.size() || fields.size() >= maxFields) {
      fields.resize(std::min(fields.size(), maxFields));
      return fields;
    }
    ++pos;  // the comma; one at the very end still opens an empty field
  }
}

}  // namespace qv
