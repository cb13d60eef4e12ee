#include "diag/OutputReport.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace qv {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

}  // namespace

uint8_t hexTextByte(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    return 0;
  }
  uint64_t value = 0;
  for (const char c : text.substr(start)) {
    const int digit = hexDigit(c);
    if (digit < 0) {
      return 0;
    }
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFULL) {
      return 0;
    }
  }
  return static_cast<uint8_t>(value & 0xFFU);
}

std::string hexPair(uint8_t value) {
  std::array<char, 4> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.2X", static_cast<unsigned>(value));
  return buffer.data();
}

std::vector<uint8_t> buildOutputReport(std::string_view reportIdText,
                                       const std::vector<std::string>& editorTexts,
                                       uint16_t outputLength) {
  const size_t length = outputWriteLength(outputLength);
  std::vector<uint8_t> report(std::max<size_t>(length, 1), 0);
  report[0] = hexTextByte(reportIdText);
  for (size_t i = 1; i < length; ++i) {
    report[i] = i - 1 < editorTexts.size() ? hexTextByte(editorTexts[i - 1]) : 0;
  }
  return report;
}

size_t outputWriteLength(uint16_t outputLength) {
  return std::min<size_t>(outputLength, kReportBufferSize);
}

std::string writeHistoryLine(const std::vector<uint8_t>& report, uint32_t written) {
  std::string line = "W " + hexPair(report.at(0)) + "  ";
  const size_t end = std::min<size_t>(written, report.size());
  for (size_t i = 1; i < end; ++i) {
    line += hexPair(report[i]) + " ";
  }
  return line;
}

}  // namespace qv
