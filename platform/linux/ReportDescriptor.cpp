#include "platform/linux/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace qv {

namespace {

enum ItemType : uint8_t { kMain = 0, kGlobal = 1 };
enum MainTag : uint8_t { kInput = 0x8, kOutput = 0x9, kFeature = 0xB };
enum GlobalTag : uint8_t {
  kReportSize = 0x7,
  kReportId = 0x8,
  kReportCount = 0x9,
  kPush = 0xA,
  kPop = 0xB
};

constexpr uint8_t kLongItemPrefix = 0xFE;

struct Globals {
  uint32_t reportSize = 0;
  uint32_t reportCount = 0;
  uint8_t reportId = 0;
};

// Bits per report id, for one report type.
using ReportBits = std::map<uint8_t, uint64_t>;

uint16_t lengthOf(const ReportBits& reports) {
  uint64_t bytes = 0;
  for (const auto& [id, bits] : reports) {
    bytes = std::max(bytes, bits / 8 + (bits % 8 != 0 ? 1 : 0));
  }
  if (reports.empty()) {
    return 0;
  }
  return static_cast<uint16_t>(std::min<uint64_t>(bytes + 1, UINT16_MAX));
}

}  // namespace

ParsedReportDescriptor parseReportDescriptor(std::span<const uint8_t> descriptor) {
  ParsedReportDescriptor parsed;
  std::array<ReportBits, 3> reports;  // input, output, feature
  Globals globals;
  std::vector<Globals> stack;

  size_t at = 0;
  while (at < descriptor.size()) {
    const uint8_t prefix = descriptor[at];
    if (prefix == kLongItemPrefix) {
      if (at + 1 >= descriptor.size()) {
        break;
      }
      at += 3 + descriptor[at + 1];
      continue;
    }
    const size_t size = (prefix & 3U) == 3 ? 4 : (prefix & 3U);
    if (at + 1 + size > descriptor.size()) {
      break;
    }
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) {
      value |= static_cast<uint32_t>(descriptor[at + 1 + i]) << (8 * i);
    }
    at += 1 + size;

    const uint8_t type = (prefix >> 2) & 3U;
    const uint8_t tag = prefix >> 4;
    if (type == kMain) {
      const int index = tag == kInput ? 0 : tag == kOutput ? 1 : tag == kFeature ? 2 : -1;
      if (index >= 0) {
        uint64_t& bits = reports.at(static_cast<size_t>(index))[globals.reportId];
        const uint64_t added = uint64_t{globals.reportSize} * globals.reportCount;
        // Absurd sizes saturate: a wrapped sum would claim a short report.
        bits = added > UINT64_MAX - bits ? UINT64_MAX : bits + added;
      }
    } else if (type == kGlobal) {
      switch (tag) {
        case kReportSize:
          globals.reportSize = value;
          break;
        case kReportCount:
          globals.reportCount = value;
          break;
        case kReportId:
          globals.reportId = static_cast<uint8_t>(value);
          parsed.numberedReports = true;
          break;
        case kPush:
          stack.push_back(globals);
          break;
        case kPop:
          if (!stack.empty()) {
            globals = stack.back();
            stack.pop_back();
          }
          break;
        default:
          break;
      }
    }
  }

  parsed.lengths = {lengthOf(reports[0]), lengthOf(reports[1]), lengthOf(reports[2])};
  return parsed;
}

}  // namespace qv
