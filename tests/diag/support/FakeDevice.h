#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qv::test {

// A device record with the members the console and the information dialog
// use, answering from plain data and keeping every write.
struct FakeDevice {
  struct Ids {
    uint16_t VendorID = 0;
    uint16_t ProductID = 0;
    uint16_t VersionNumber = 0;
  };
  struct Lengths {
    uint16_t InputReportByteLength = 0;
    uint16_t OutputReportByteLength = 0;
    uint16_t FeatureReportByteLength = 0;
  };

  [[nodiscard]] const Ids& Attributes() const { return ids; }
  [[nodiscard]] Lengths Caps() const { return lengths; }
  std::string VendorName() { return vendor; }
  std::string ProductName() { return product; }
  std::string SerialNumber() { return serial; }
  std::vector<std::string> LanguageStrings() { return languages; }
  std::string GetDeviceString(uint8_t Idx) {
    const auto found = strings.find(Idx);
    return found == strings.end() ? std::string() : found->second;
  }
  bool WriteFile(const uint8_t* Report, uint32_t ToWrite, uint32_t& BytesWritten) {
    writes.emplace_back(Report, Report + ToWrite);
    BytesWritten = writeFails ? 0 : ToWrite;
    return !writeFails;
  }

  Ids ids;
  Lengths lengths;
  std::string vendor;
  std::string product;
  std::string serial;
  std::vector<std::string> languages;
  std::map<int, std::string> strings;
  bool writeFails = false;
  std::vector<std::vector<uint8_t>> writes;
};

}  // namespace qv::test
