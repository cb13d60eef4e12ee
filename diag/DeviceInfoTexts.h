#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class THidDevice;

// The texts of the information dialog for one device. A length left empty
// keeps the label's design text "0".
struct DeviceInfoTexts {
  std::string Vid;
  std::string Pid;
  std::string Vers;
  std::string InputLen;
  std::string OutputLen;
  std::string FeatureLen;
  std::string VendorName;
  std::string ProductName;
  std::string SerialNo;
  std::vector<std::string> DevStrings;
  std::vector<std::string> LangStrings;
};

// Four hexadecimal digits, " = ", the decimal value: "06A3 = 1699".
std::string idText(uint16_t value);
// A report length without its report-id byte, in hexadecimal; empty for 0.
std::string lengthText(uint16_t length);
// "%3d) %s": the string index right-aligned in three places.
std::string deviceStringLine(int index, const std::string& text);

// The texts of one device record.
DeviceInfoTexts collectDeviceInfo(THidDevice& dev);

}  // namespace qv
