#include "diag/DeviceConsole.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "diag/HistoryFile.h"
#include "diag/Info.h"
#include "diag/OutputReport.h"
#include "hid/PanelBinding.h"

namespace qv {

namespace {

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height,
              bool hidden) {
  widget->setObjectName(name);
  widget->setGeometry(left, top, width, height);
  if (hidden) {
    widget->hide();
  }
  return widget;
}

}  // namespace

DeviceConsole::DeviceConsole(QWidget* parent)
    : QFrame(parent),
      ownSaveDialog_(std::make_unique<QtHistorySaveDialog>()),
      saveDialog_(ownSaveDialog_.get()) {
  setObjectName("Panel7");
  setGeometry(8, 104, 734, 314);
  QFont calibri("Calibri");
  calibri.setPixelSize(13);
  setFont(calibri);
  buildControls();
  hide();
}

DeviceConsole::~DeviceConsole() = default;

void DeviceConsole::buildControls() {
  devListBox_ = place(new QListWidget(this), "DevListBox", 13, 11, 444, 81, false);
  historyListBox_ = place(new QListWidget(this), "HistoryListBox", 428, 104, 282, 136, false);

  readBtn_ = place(new QPushButton("dvrRead", this), "ReadBtn", 48, 248, 81, 22, true);
  readBtn_->setCheckable(true);
  connect(readBtn_, &QPushButton::clicked, this, [this] {
    if (binding_ != nullptr) {
      binding_->ReadBtnClick();
    }
  });
  connect(devListBox_, &QListWidget::itemClicked, this, [this] {
    if (binding_ != nullptr) {
      binding_->DevListBoxClick();
    }
  });
  auto* writeBtn = place(new QPushButton("dvrWrite", this), "WriteBtn", 136, 248, 81, 22, true);
  connect(writeBtn, &QPushButton::clicked, this, [this] { WriteBtnClick(); });
  auto* saveBtn = place(new QPushButton("dvrSave", this), "SaveBtn", 224, 248, 81, 22, true);
  connect(saveBtn, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
  auto* infoBtn = place(new QPushButton("Info", this), "InfoBtn", 7, 220, 57, 22, true);
  connect(infoBtn, &QPushButton::clicked, this, [this] { InfoBtnClick(); });

  reportId_ = place(new QLineEdit(this), "ReportID", 39, 290, 25, 23, true);
  place(new QLabel("ReportID", this), "Label1", 408, 290, 81, 16, true);
  drEdit1_ = place(new QLineEdit(this), "drEdit1", 311, 260, 265, 23, true);
  place(new QLineEdit("0", this), "dvrEdit2", 170, 246, 73, 23, true);
  dvrEdit3_ = place(new QLineEdit("0", this), "dvrEdit3", 170, 276, 73, 23, true);

  auto* keys = place(new QLabel("Keys", this), "Panel3", 562, 246, 159, 40, false);
  keys->setFrameStyle(QFrame::Panel | QFrame::Raised);
  keys->setAlignment(Qt::AlignCenter);
}

void DeviceConsole::buildByteEditors() {
  if (edits_[0] != nullptr) {
    return;
  }
  edits_[0] = drEdit1_;
  for (size_t i = 1; i < edits_.size(); ++i) {
    edits_[i] = new QLineEdit(this);
    edits_[i]->hide();
  }
  const QRect model = drEdit1_->geometry();
  QWidget* previous = drEdit1_;
  for (size_t i = 0; i < kPlacedByteEditors; ++i) {
    const int r = static_cast<int>(i / 16);
    const int c = static_cast<int>(i % 16);
    QLineEdit* editor = edits_.at(i);
    editor->hide();
    editor->setGeometry(model.left() + c * (model.width() + 2),
                        model.top() + r * (model.height() + 2), model.width(), model.height());
    if (editor != previous) {
      setTabOrder(previous, editor);
      previous = editor;
    }
  }
}

QLineEdit* DeviceConsole::byteEditor(int index) const {
  if (index < 0 || index >= kByteEditorCount) {
    return nullptr;
  }
  return edits_.at(static_cast<size_t>(index));
}

void DeviceConsole::setBinding(PanelBinding* binding) {
  binding_ = binding;
}

void DeviceConsole::WriteBtnClick() {
  THidDevice* dev = binding_ != nullptr ? binding_->CurrentDevice() : nullptr;
  if (dev == nullptr) {
    return;
  }
  const uint16_t outputLength = dev->Caps().OutputReportByteLength;
  const std::vector<uint8_t> report = reportFromEdits(outputLength);
  showReportBytes(report);
  uint32_t written = 0;
  if (!dev->WriteFile(report.data(), static_cast<uint32_t>(outputWriteLength(outputLength)),
                      written)) {
    written = 0;
  }
  appendLine(writeHistoryLine(report, written));
}

void DeviceConsole::InfoBtnClick() {
  const int selected = selectedDeviceEntry();
  if (binding_ == nullptr || devListBox_->count() == 0 || selected < 0) {
    return;
  }
  THidDevice* dev = binding_->deviceAt(selected);
  if (dev == nullptr) {
    return;
  }
  Thidform form(dev, window());
  form.exec();
}

std::vector<uint8_t> DeviceConsole::reportFromEdits(uint16_t outputLength) const {
  std::vector<std::string> editorTexts;
  const size_t dataBytes = outputWriteLength(outputLength);
  for (size_t i = 0; i + 1 < dataBytes && edits_.at(i) != nullptr; ++i) {
    editorTexts.push_back(edits_.at(i)->text().toStdString());
  }
  return buildOutputReport(reportId_->text().toStdString(), editorTexts, outputLength);
}

void DeviceConsole::showReportBytes(const std::vector<uint8_t>& report) {
  reportId_->setText(QString::fromStdString(hexPair(report.at(0))));
  for (size_t i = 1; i < report.size() && edits_.at(i - 1) != nullptr; ++i) {
    edits_.at(i - 1)->setText(QString::fromStdString(hexPair(report[i])));
  }
}

void DeviceConsole::setSaveDialog(HistorySaveDialog* dialog) {
  saveDialog_ = dialog != nullptr ? dialog : ownSaveDialog_.get();
}

void DeviceConsole::SaveBtnClick() {
  const std::optional<QString> path = saveDialog_->chooseFile(window());
  if (!path) {
    return;
  }
  QStringList lines;
  for (int i = 0; i < historyListBox_->count(); ++i) {
    lines << historyListBox_->item(i)->text();
  }
  if (const std::optional<QString> error = writeHistoryFile(*path, lines)) {
    saveDialog_->showError(window(), *error);
  }
}

void DeviceConsole::addDeviceEntry(const std::string& text) {
  devListBox_->addItem(QString::fromStdString(text));
}

void DeviceConsole::clearDeviceEntries() {
  devListBox_->clear();
}

int DeviceConsole::selectedDeviceEntry() const {
  const int row = devListBox_->currentRow();
  if (row < 0 || !devListBox_->item(row)->isSelected()) {
    return -1;
  }
  return row;
}

void DeviceConsole::selectDeviceEntry(int index) {
  devListBox_->setCurrentRow(index);
}

void DeviceConsole::setReadButtonDown(bool down) {
  // The binding runs ReadBtnClick itself after moving the toggle.
  const QSignalBlocker quiet(readBtn_);
  readBtn_->setChecked(down);
}

bool DeviceConsole::byteEditorsBuilt() const {
  return edits_[0] != nullptr;
}

void DeviceConsole::showByteEditors(int count) {
  if (!byteEditorsBuilt()) {
    return;
  }
  // Only the placed editors can be shown; the rest have no place in the grid.
  const int shown = std::clamp(count, 0, kPlacedByteEditors);
  for (int i = 0; i < shown; ++i) {
    edits_.at(static_cast<size_t>(i))->show();
  }
}

void DeviceConsole::appendLine(const std::string& line) {
  historyListBox_->addItem(QString::fromStdString(line));
  historyListBox_->setCurrentRow(historyListBox_->count() - 1);
}

void DeviceConsole::clear() {
  historyListBox_->clear();
}

}  // namespace qv
