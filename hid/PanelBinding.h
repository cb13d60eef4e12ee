#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hid/PanelFeaturePort.h"
#include "hid/THidDevice.h"

namespace qv {

class DeviceListView;
class HistoryLog;
class THidDeviceController;

inline constexpr const char* kPanelProductName = "Saitek Pro Flight Switch Panel";

// The switch panel by its product string or by its ids; either is enough.
bool isSwitchPanel(THidDevice& device);

// The main window's side of the HID controller: the device list with the
// records it holds, the bound switch panel and the selected device. Binds
// the controller's events (a skipped device goes to the history log); must not outlive the
// controller.
class PanelBinding final : public PanelFeaturePort {
 public:
  // The switch input engine's report handler (SwitchEngine::ShowRead).
  using ReportHandler = std::function<void(uint16_t vendorId, uint16_t productId, uint8_t ReportID,
                                           const uint8_t* Data, uint16_t Size)>;

  PanelBinding(THidDeviceController& HidCtl, DeviceListView& DevListBox, HistoryLog& HistoryListBox,
               ReportHandler ShowRead);
  PanelBinding(const PanelBinding&) = delete;
  PanelBinding& operator=(const PanelBinding&) = delete;
  // Unbinds the events and gives back every record it holds.
  ~PanelBinding() override;

  bool HidCtlEnumerate(THidDevice& HidDev, int32_t Idx);
  void HidCtlDeviceChange();
  void DevListBoxClick();
  void ReadBtnClick();
  void HidCtlDeviceDataError(THidDevice& HidDev, uint32_t Error);

  [[nodiscard]] THidDevice* SaitekSwitchPanel() const { return saitekSwitchPanel_; }
  [[nodiscard]] THidDevice* CurrentDevice() const { return currentDevice_; }
  // The record checked out for list entry `index`; null when it could not be.
  [[nodiscard]] THidDevice* deviceAt(int index) const;
  [[nodiscard]] int deviceCount() const { return static_cast<int>(entries_.size()); }

  [[nodiscard]] bool hasPanel() const override { return saitekSwitchPanel_ != nullptr; }
  [[nodiscard]] uint16_t featureReportByteLength() override;
  bool setFeature(const uint8_t* report, int32_t size) override;

 private:
  void requestPanelInputReport(THidDevice& panel);

  THidDeviceController& HidCtl_;
  DeviceListView& DevListBox_;
  HistoryLog& HistoryListBox_;
  ReportHandler ShowRead_;
  std::vector<THidDevice*> entries_;
  THidDevice* saitekSwitchPanel_ = nullptr;
  THidDevice* currentDevice_ = nullptr;
};

}  // namespace qv
