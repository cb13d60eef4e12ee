#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

namespace qv {

class THidDevice;

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

// The texts of one device record.
DeviceInfoTexts collectDeviceInfo(THidDevice& dev);

}  // namespace qv
