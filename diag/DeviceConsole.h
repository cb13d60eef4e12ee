#pragma once

#include <QFrame>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/HistoryLog.h"
#include "hid/DeviceListView.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qv {

class HistorySaveDialog;
class PanelBinding;

// Panel7, the raw device console: the device list, the history log, the byte
// editors of an output report and the buttons that write the report, save
// the history and show a device's information. Hidden; its data is kept
// current all the same.
class DeviceConsole : public QFrame, public DeviceListView, public HistoryLog {
  Q_OBJECT

 public:
  static constexpr int kByteEditorCount = 1024;
  static constexpr int kPlacedByteEditors = 64;

  explicit DeviceConsole(QWidget* parent = nullptr);
  ~DeviceConsole() override;

  DeviceConsole(const DeviceConsole&) = delete;
  DeviceConsole& operator=(const DeviceConsole&) = delete;

  // The first-activation step: creates editors 1 to 1023 and places the
  // first 64 in a grid of 4 rows of 16; later calls do nothing.
  void buildByteEditors();
  // Edits entry `index`; nullptr before it is created.
  [[nodiscard]] QLineEdit* byteEditor(int index) const;

  [[nodiscard]] const QLineEdit* dvrEdit3() const { return dvrEdit3_; }

  // The binding the list click, the read toggle, WriteBtn and InfoBtn use.
  void setBinding(PanelBinding* binding);

  // The write: the output report from ReportID and the byte editors, of the
  // current device's output length (cut to the 65-byte buffer); the edits
  // then show the bytes sent and the history gets the "W" line. Without a
  // current device nothing happens.
  void WriteBtnClick();
  // The information dialog of the selected entry's device, shown modally.
  void InfoBtnClick();

  // The file dialog and error box of SaveBtnClick; the console's own by default.
  void setSaveDialog(HistorySaveDialog* dialog);
  void SaveBtnClick();

  // DeviceListView
  void addDeviceEntry(const std::string& text) override;
  void clearDeviceEntries() override;
  [[nodiscard]] int selectedDeviceEntry() const override;
  void selectDeviceEntry(int index) override;
  void setReadButtonDown(bool down) override;
  [[nodiscard]] bool byteEditorsBuilt() const override;
  void showByteEditors(int count) override;

  // HistoryLog
  void appendLine(const std::string& line) override;
  void clear() override;

 private:
  void buildControls();
  [[nodiscard]] std::vector<uint8_t> reportFromEdits(uint16_t outputLength) const;
  void showReportBytes(const std::vector<uint8_t>& report);

  QListWidget* devListBox_ = nullptr;
  QListWidget* historyListBox_ = nullptr;
  QPushButton* readBtn_ = nullptr;
  QLineEdit* reportId_ = nullptr;
  QLineEdit* drEdit1_ = nullptr;
  QLineEdit* dvrEdit3_ = nullptr;
  std::array<QLineEdit*, kByteEditorCount> edits_{};

  PanelBinding* binding_ = nullptr;
  std::unique_ptr<HistorySaveDialog> ownSaveDialog_;
  HistorySaveDialog* saveDialog_ = nullptr;
};

}  // namespace qv
