#include <charconv>
#include <cstdlib>

#include "standin/StandinProtocol.h"

namespace qv::standin {

std::optional<uint16_t> parsePort(const std::string& text, bool allowAny) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value);
  if (text.empty() || failure != std::errc{} || stop != end || value > 65535 ||
      (value == 0 && !allowAny)) {
    return std::nullopt;
  }
  return static_cast<uint16_t>(value);
}

std::optional<uint16_t> portFromEnvironment() {
  const char* value = std::getenv("QV_STANDIN_PORT");
  if (value == nullptr || *value == '\0') {
    return std::nullopt;
  }
  return parsePort(value, false).value_or(0);
}

}  // namespace qv::standin
