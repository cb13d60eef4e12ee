#include "diag/DeviceInfoTexts.h"

#include "hid/THidDevice.h"

namespace qv {

QString idText(uint16_t value) {
  return QString("%1 = %2").arg(value, 4, 16, QChar('0')).arg(value).toUpper();
}

QString lengthText(uint16_t length) {
  if (length == 0) {
    return {};
  }
  return QString::number(length - 1, 16).toUpper();
}

QString deviceStringLine(int index, const std::string& text) {
  return QString("%1) ").arg(index, 3) + QString::fromStdString(text);
}

DeviceInfoTexts collectDeviceInfo(THidDevice& dev) {
  DeviceInfoTexts texts;
  texts.VendorName = QString::fromStdString(dev.VendorName());
  texts.ProductName = QString::fromStdString(dev.ProductName());
  texts.SerialNo = QString::fromStdString(dev.SerialNumber());
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
      texts.DevStrings << deviceStringLine(index, text);
    }
  }
  for (const std::string& language : dev.LanguageStrings()) {
    texts.LangStrings << QString::fromStdString(language);
  }
  return texts;
}

}  // namespace qv
