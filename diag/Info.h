#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

namespace qv {

struct DeviceInfoTexts;

// The information dialog: a device's ids, report lengths, name strings,
// device strings and languages.
class Thidform : public QDialog {
  Q_OBJECT

 public:
  explicit Thidform(QWidget* parent = nullptr);

  // Shows the texts of one device; lengths left empty keep "0".
  void showTexts(const DeviceInfoTexts& texts);

 private:
  QLabel* addValue(const char* name, const char* caption, int left, int top, int width);

  QLabel* vid_ = nullptr;
  QLabel* pid_ = nullptr;
  QLabel* vers_ = nullptr;
  QLabel* inputLen_ = nullptr;
  QLabel* outputLen_ = nullptr;
  QLabel* featureLen_ = nullptr;
  QLabel* vendorName_ = nullptr;
  QLabel* productName_ = nullptr;
  QLabel* serialNo_ = nullptr;
  QListWidget* devStrings_ = nullptr;
  QListWidget* langStrings_ = nullptr;
};

}  // namespace qv
