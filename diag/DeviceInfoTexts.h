#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

namespace qv {

// The texts of the information dialog for one device. A length left empty
// keeps the label's design text "0".
struct DeviceInfoTexts {
  QString Vid;
  QString Pid;
  QString Vers;
  QString InputLen;
  QString OutputLen;
  QString FeatureLen;
  QString VendorName;
  QString ProductName;
  QString SerialNo;
  QStringList DevStrings;
  QStringList LangStrings;
};

// Four hexadecimal digits, " = ", the decimal value: "06A3 = 1699".
QString idText(uint16_t value);
// A report length without its report-id byte, in hexadecimal; empty for 0.
QString lengthText(uint16_t length);
// "%3d) %s": the string index right-aligned in three places.
QString deviceStringLine(int index, const std::string& text);

// Fills the texts from a device record (the members of THidDevice the dialog
// reads: Attributes, Caps, the name strings, GetDeviceString, LanguageStrings).
template <typename Device>
DeviceInfoTexts collectDeviceInfo(Device& dev) {
  DeviceInfoTexts texts;
  texts.VendorName = QString::fromStdString(dev.VendorName());
  texts.ProductName = QString::fromStdString(dev.ProductName());
  texts.SerialNo = QString::fromStdString(dev.SerialNumber());
  const auto& attributes = dev.Attributes();
  texts.Vid = idText(attributes.VendorID);
  texts.Pid = idText(attributes.ProductID);
  texts.Vers = idText(attributes.VersionNumber);
  const auto caps = dev.Caps();
  texts.InputLen = lengthText(caps.InputReportByteLength);
  texts.OutputLen = lengthText(caps.OutputReportByteLength);
  texts.FeatureLen = lengthText(caps.FeatureReportByteLength);
  for (int index = 1; index <= 255; ++index) {
    const std::string text = dev.GetDeviceString(static_cast<uint8_t>(index));
    if (!text.empty()) {
      texts.DevStrings << deviceStringLine(index, text);
    }
  }
  for (const std::string& language : dev.LanguageStrings()) {
    texts.LangStrings << QString::fromStdString(language);
  }
  return texts;
}

}  // namespace qv
