#include "diag/Info.h"

#include <QLabel>
#include <QListWidget>
#include <QShowEvent>

#include "diag/DeviceInfoTexts.h"

namespace qv {

namespace {

QLabel* caption(QWidget* parent, const char* text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(left, top, 94, 17);
  return label;
}

}  // namespace

Thidform::Thidform(THidDevice* Dev, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), Dev_(Dev) {
  setObjectName("hidform");
  setWindowTitle("Info");
  setFixedSize(357, 313);

  vid_ = addValue("Vid", "VID:", 12, 12, 100);
  pid_ = addValue("Pid", "PID:", 12, 32, 100);
  vers_ = addValue("Vers", "Version:", 12, 52, 100);

  caption(this, "Rep Length", 220, 12);
  inputLen_ = addValue("InputLen", "Input:", 220, 32, 40);
  outputLen_ = addValue("OutputLen", "Output:", 220, 52, 40);
  featureLen_ = addValue("FeatureLen", "Feature:", 220, 72, 40);
  for (QLabel* length : {inputLen_, outputLen_, featureLen_}) {
    length->setText("0");
  }

  vendorName_ = addValue("VendorName", "Vendor name:", 12, 100, 245);
  productName_ = addValue("ProductName", "Product name:", 12, 120, 245);
  serialNo_ = addValue("SerialNo", "Serial No:", 12, 140, 245);

  caption(this, "Strings", 12, 166);
  devStrings_ = new QListWidget(this);
  devStrings_->setObjectName("DevStrings");
  devStrings_->setGeometry(12, 184, 220, 117);
  caption(this, "Lang", 244, 166);
  langStrings_ = new QListWidget(this);
  langStrings_->setObjectName("LangStrings");
  langStrings_->setGeometry(244, 184, 101, 117);
}

QLabel* Thidform::addValue(const char* name, const char* captionText, int left, int top,
                           int width) {
  caption(this, captionText, left, top);
  auto* value = new QLabel(this);
  value->setObjectName(name);
  value->setGeometry(left + 96, top, width, 17);
  return value;
}

void Thidform::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) {
    FormShow();
  }
}

void Thidform::FormShow() {
  if (Dev_ != nullptr) {
    showTexts(collectDeviceInfo(*Dev_));
  }
}

void Thidform::showTexts(const DeviceInfoTexts& texts) {
  vid_->setText(texts.Vid);
  pid_->setText(texts.Pid);
  vers_->setText(texts.Vers);
  for (const auto& [label, text] :
       {std::pair{inputLen_, &texts.InputLen}, std::pair{outputLen_, &texts.OutputLen},
        std::pair{featureLen_, &texts.FeatureLen}}) {
    if (!text->isEmpty()) {
      label->setText(*text);
    }
  }
  vendorName_->setText(texts.VendorName);
  productName_->setText(texts.ProductName);
  serialNo_->setText(texts.SerialNo);
  devStrings_->clear();
  devStrings_->addItems(texts.DevStrings);
  langStrings_->clear();
  langStrings_->addItems(texts.LangStrings);
}

}  // namespace qv
