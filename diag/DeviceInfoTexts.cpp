#include "diag/DeviceInfoTexts.h"

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

}  // namespace qv
