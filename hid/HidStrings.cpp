#include "hid/HidStrings.h"

#include <cstdio>

namespace qv {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool isHighSurrogate(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

}  // namespace

std::string textOf(const HidStringBuffer& buffer) {
  std::string out;
  for (size_t i = 0; i < buffer.size() && buffer[i] != 0; ++i) {
    const char16_t unit = buffer[i];
    if (isHighSurrogate(unit) && i + 1 < buffer.size() && isLowSurrogate(buffer[i + 1])) {
      const char32_t c = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (buffer[i + 1] - 0xDC00);
      appendUtf8(out, c);
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      appendUtf8(out, kReplacement);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

std::vector<uint16_t> languageIdsOf(const HidStringBuffer& table) {
  size_t count = 0;
  for (size_t i = table.size(); i-- > 0;) {
    if (table[i] != 0xFFFF) {
      count = table[i] == 0 ? i : i + 1;
      break;
    }
  }
  return {table.begin(), table.begin() + static_cast<std::ptrdiff_t>(count)};
}

std::string formatted(const char* format, unsigned value) {
  char text[64];
  const int length = std::snprintf(text, sizeof text, format, value);
  return length < 0 ? std::string() : std::string(text);
}

}  // namespace qv
