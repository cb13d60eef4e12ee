#include "diag/DeviceConsole.h"

#include <algorithm>
#include <stdexcept>

#include "diag/HistoryFile.h"
#include "diag/Info.h"
#include "diag/OutputReport.h"
#include "form/Form.h"
#include "hid/PanelBinding.h"
#include "ui/Controls.h"

namespace qv {

namespace {

constexpr std::string_view kDevList = "DevListBox";
constexpr std::string_view kHistory = "HistoryListBox";
constexpr int kGridColumns = 16;

}  // namespace

DeviceConsole::DeviceConsole(Controls& controls, Toolkit& toolkit)
    : controls_(controls), toolkit_(toolkit) {}

void DeviceConsole::buildByteEditors() {
  if (byteEditorsBuilt()) {
    return;
  }
  const Control* model = findRow(mainWindowForm(), "drEdit1");
  if (model == nullptr) {
    throw std::logic_error("the console has no drEdit1");
  }
  editors_.reserve(kByteEditorCount);
  editors_.emplace_back(model->name);
  for (int i = 1; i < kByteEditorCount; ++i) {
    editors_.push_back("Edits" + std::to_string(i));
  }
  for (int i = 1; i < kByteEditorCount; ++i) {
    Control editor = *model;
    editor.name = editors_.at(static_cast<size_t>(i));
    editor.text = {};
    editor.flags = flag::kHidden;
    if (i < kPlacedByteEditors) {
      const int r = i / kGridColumns;
      const int c = i % kGridColumns;
      editor.x = model->x + c * (model->width + 2);
      editor.y = model->y + r * (model->height + 2);
    } else {
      // Created but never placed.
      editor.x = 0;
      editor.y = 0;
    }
    controls_.create(editor);
  }
}

std::string DeviceConsole::byteEditor(int index) const {
  if (index < 0 || index >= static_cast<int>(editors_.size())) {
    return {};
  }
  return editors_.at(static_cast<size_t>(index));
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
  if (binding_ == nullptr || selected < 0) {
    return;
  }
  THidDevice* dev = binding_->deviceAt(selected);
  if (dev == nullptr) {
    return;
  }
  toolkit_.showModal(infoDialogForm(), [this, dev](Controls& form) {
    fillInfoDialog(form, *dev);
    form.setText("SimName", simulatorName_);
    form.setText("AircraftTitle", aircraftTitle_);
  });
}

void DeviceConsole::showSimulator(const std::string& name, const std::string& title) {
  simulatorName_ = name;
  aircraftTitle_ = title;
  appendLine("Simulator: " + name + (title.empty() ? "" : ", aircraft: " + title));
}

void DeviceConsole::SaveBtnClick() {
  const std::optional<std::string> path = toolkit_.saveHistory();
  if (!path) {
    return;
  }
  if (const std::optional<std::string> error = writeHistoryFile(*path, controls_.items(kHistory))) {
    toolkit_.showError(*error);
  }
}

std::vector<uint8_t> DeviceConsole::reportFromEdits(uint16_t outputLength) const {
  std::vector<std::string> editorTexts;
  const size_t dataBytes = outputWriteLength(outputLength);
  for (size_t i = 0; i + 1 < dataBytes && i < editors_.size(); ++i) {
    editorTexts.push_back(controls_.text(editors_[i]));
  }
  return buildOutputReport(controls_.text("ReportID"), editorTexts, outputLength);
}

void DeviceConsole::showReportBytes(const std::vector<uint8_t>& report) {
  controls_.setText("ReportID", hexPair(report.at(0)));
  for (size_t i = 1; i < report.size() && i - 1 < editors_.size(); ++i) {
    controls_.setText(editors_[i - 1], hexPair(report[i]));
  }
}

void DeviceConsole::addDeviceEntry(const std::string& text) {
  controls_.addItem(kDevList, text);
}

void DeviceConsole::clearDeviceEntries() {
  controls_.clearItems(kDevList);
}

int DeviceConsole::selectedDeviceEntry() const {
  return controls_.selected(kDevList);
}

void DeviceConsole::selectDeviceEntry(int index) {
  controls_.select(kDevList, index);
}

void DeviceConsole::setReadButtonDown(bool down) {
  // The binding runs ReadBtnClick itself after moving the toggle.
  controls_.setChecked("ReadBtn", down);
}

void DeviceConsole::showByteEditors(int count) {
  // Only the placed editors can be shown; the rest have no place in the grid.
  const int shown = std::min({count, kPlacedByteEditors, static_cast<int>(editors_.size())});
  for (int i = 0; i < shown; ++i) {
    controls_.setVisible(editors_.at(static_cast<size_t>(i)), true);
  }
}

void DeviceConsole::appendLine(const std::string& line) {
  controls_.addItem(kHistory, line);
  controls_.select(kHistory, historyLines_++);
}

void DeviceConsole::clear() {
  controls_.clearItems(kHistory);
  historyLines_ = 0;
}

}  // namespace qv
