#include "diag/DeviceInfoTexts.h"

#include <array>
#include <cstdio>

#include "hid/THidDevice.h"

namespace qv {

std::string idText(uint16_t value) {
  std::array<char, 16> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.4X = %u", static_cast<unsigned>(value),
                static_cast<unsigned>(value));
  return buffer.data();
}

std::string lengthText(uint16_t length) {
  if (length == 0) {
    return {};
  }
  std::array<char, 8> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%X", static_cast<unsigned>(length - 1));
  return buffer.data();
}

std::string deviceStringLine(int index, const std::string& text) {
  std::array<char, 8> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%3d) ", index);
  return buffer.data() + text;
}

DeviceInfoTexts collectDeviceInfo(THidDevice& dev) {
  DeviceInfoTexts texts;
  texts.VendorName = dev.VendorName();
  texts.ProductName = dev.ProductName();
  texts.SerialNo = dev.SerialNumber();
  const HIDD_ATTRIBUTES& attributes = dev.Attributes();
  texts.Vid = idText(attributes.VendorID);
  texts.Pid = idText(attributes.ProductID);
  texts.Vers = idText(attributes.VersionNumber);
  const HIDP_CAPS caps = dev.Caps();
  texts.InputLen = lengthText(caps.InputReportByteLength);
  texts.OutputLen = lengthText(caps.OutputReportByteLength);
  texts.FeatureLen = lengthText(caps.FeatureReportByteLength);
  for (int index = 1; index <= 255; ++index) {
    const std::string text = dev.GetDeviceString(static_cast<uint8_t>(index));
    if (!text.empty()) {
      texts.DevStrings.push_back(deviceStringLine(index, text));
    }
  }
  texts.LangStrings = dev.LanguageStrings();
  return texts;
}

}  // namespace qv
