#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/HistoryLog.h"
#include "hid/DeviceListView.h"

namespace qv {

class Controls;
class PanelBinding;
class Toolkit;

// Panel7, the raw device console: the device list, the history log, the byte
// editors of an output report and the buttons that write the report, save
// the history and show a device's information. Hidden; its data is kept
// current all the same.
class DeviceConsole final : public DeviceListView, public HistoryLog {
 public:
  static constexpr int kByteEditorCount = 1024;
  static constexpr int kPlacedByteEditors = 64;

  DeviceConsole(Controls& controls, Toolkit& toolkit);

  // The first-activation step: creates editors 1 to 1023 and places the
  // first 64 in a grid of 4 rows of 16; later calls do nothing.
  void buildByteEditors();
  // The control name of editor `index` ("drEdit1" for entry 0); empty before
  // the editors exist or outside them.
  [[nodiscard]] std::string byteEditor(int index) const;

  // The binding the list click, the read toggle, WriteBtn and InfoBtn use.
  void setBinding(PanelBinding* binding) { binding_ = binding; }

  // The write: the output report from ReportID and the byte editors, of the
  // current device's output length (cut to the 65-byte buffer); the edits
  // then show the bytes sent and the history gets the "W" line. Without a
  // current device nothing happens.
  void WriteBtnClick();
  // The information dialog of the selected entry's device, shown modally.
  void InfoBtnClick();
  // The history, saved to the file the user chooses.
  void SaveBtnClick();
  // The simulator connected to and its aircraft: a history line now, and
  // the information dialog's last rows whenever it is shown.
  void showSimulator(const std::string& name, const std::string& title);

  // DeviceListView
  void addDeviceEntry(const std::string& text) override;
  void clearDeviceEntries() override;
  [[nodiscard]] int selectedDeviceEntry() const override;
  void selectDeviceEntry(int index) override;
  void setReadButtonDown(bool down) override;
  [[nodiscard]] bool byteEditorsBuilt() const override { return !editors_.empty(); }
  void showByteEditors(int count) override;

  // HistoryLog
  void appendLine(const std::string& line) override;
  void clear() override;

 private:
  [[nodiscard]] std::vector<uint8_t> reportFromEdits(uint16_t outputLength) const;
  void showReportBytes(const std::vector<uint8_t>& report);

  Controls& controls_;
  Toolkit& toolkit_;
  PanelBinding* binding_ = nullptr;
  std::vector<std::string> editors_;  // the names of Edits, once built
  std::string simulatorName_;
  std::string aircraftTitle_;
  int historyLines_ = 0;
};

}  // namespace qv
