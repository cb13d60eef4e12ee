#include "profile/Utf8Path.h"

#include <string>

namespace qv {

std::filesystem::path utf8Path(std::string_view name) {
  std::u8string u8;
  u8.reserve(name.size());
  for (const char c : name) {
    u8 += static_cast<char8_t>(c);
  }
  return std::filesystem::path(u8);
}

}  // namespace qv
