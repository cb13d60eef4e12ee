#pragma once

#include <QWidget>
#include <string>

class QLineEdit;

namespace qv {

// TabSheet6, laid out for watching the simulator connection. Disabled by
// design; the window hides it. Only Edit168 is ever written.
class DebugPage : public QWidget {
  Q_OBJECT

 public:
  explicit DebugPage(QWidget* parent = nullptr);

  // Edit168: the light byte of the last gear-light refresh, in decimal.
  void setLightByteText(const std::string& text);

 private:
  QLineEdit* edit168_ = nullptr;
};

}  // namespace qv
