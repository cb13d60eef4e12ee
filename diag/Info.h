#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

namespace qv {

struct DeviceInfoTexts;
class THidDevice;

// The information dialog: a device's ids, report lengths, name strings,
// device strings and languages, read when the dialog is shown.
class Thidform : public QDialog {
  Q_OBJECT

 public:
  Thidform(THidDevice* Dev, QWidget* parent = nullptr);

  // Fills the dialog from Dev.
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void showTexts(const DeviceInfoTexts& texts);
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
  THidDevice* Dev_ = nullptr;
};

}  // namespace qv
