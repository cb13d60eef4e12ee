#include "hid/PanelBinding.h"

#include <algorithm>

#include "engine/HistoryLog.h"
#include "engine/SwitchEngine.h"
#include "hid/DeviceListView.h"
#include "hid/HidStrings.h"
#include "hid/THidDeviceController.h"

namespace qv {

namespace {

// The selection's input-report request buffer: report id 0 and 64 bytes.
constexpr size_t kInputRequestBufferSize = 65;

std::string entryText(THidDevice& device) {
  std::string text = device.ProductName();
  if (text.empty()) {
    text = formatted("Device VID=%.4X", device.Attributes().VendorID) +
           formatted(" PID=%.4X", device.Attributes().ProductID);
  }
  return text;
}

}  // namespace

bool isSwitchPanel(THidDevice& device) {
  return device.ProductName() == kPanelProductName ||
         (device.Attributes().VendorID == kPanelVendorId &&
          device.Attributes().ProductID == kPanelProductId);
}

PanelBinding::PanelBinding(THidDeviceController& HidCtl, DeviceListView& DevListBox,
                           HistoryLog& HistoryListBox, ReportHandler ShowRead)
    : HidCtl_(HidCtl),
      DevListBox_(DevListBox),
      HistoryListBox_(HistoryListBox),
      ShowRead_(std::move(ShowRead)) {
  HidCtl_.OnEnumerate = [this](THidDevice& HidDev, int32_t Idx) {
    return HidCtlEnumerate(HidDev, Idx);
  };
  HidCtl_.OnDeviceChange = [this](THidDeviceController&) { HidCtlDeviceChange(); };
  HidCtl_.OnDeviceData = [this](THidDevice& HidDev, uint8_t ReportID, const uint8_t* Data,
                                uint16_t Size) {
    ShowRead_(HidDev.Attributes().VendorID, HidDev.Attributes().ProductID, ReportID, Data, Size);
  };
  HidCtl_.OnDeviceDataError = [this](THidDevice& HidDev, uint32_t Error) {
    HidCtlDeviceDataError(HidDev, Error);
  };
  HidCtl_.OnDeviceSkipped = [this](const std::string& note) { HistoryListBox_.appendLine(note); };
}

PanelBinding::~PanelBinding() {
  saitekSwitchPanel_ = nullptr;
  currentDevice_ = nullptr;
  HidCtl_.OnEnumerate = nullptr;
  HidCtl_.OnDeviceChange = nullptr;
  HidCtl_.OnDeviceData = nullptr;
  HidCtl_.OnDeviceDataError = nullptr;
  HidCtl_.OnDeviceSkipped = nullptr;
  HidCtl_.Release(entries_);
  // The fresh records took over our data handler; none may call it later.
  for (int32_t i = 0; i < HidCtl_.Count(); ++i) {
    HidCtl_.Device(i)->SetOnData(nullptr);
    HidCtl_.Device(i)->OnDataError = nullptr;
  }
}

THidDevice* PanelBinding::deviceAt(int index) const {
  return index >= 0 && index < deviceCount() ? entries_[static_cast<size_t>(index)] : nullptr;
}

bool PanelBinding::HidCtlEnumerate(THidDevice& HidDev, int32_t Idx) {
  DevListBox_.addDeviceEntry(entryText(HidDev));
  THidDevice* checkedOut = nullptr;
  static_cast<void>(HidCtl_.CheckOutByIndex(checkedOut, Idx));
  entries_.push_back(checkedOut);
  if (isSwitchPanel(HidDev)) {
    saitekSwitchPanel_ = checkedOut;
  }
  return true;
}

void PanelBinding::HidCtlDeviceChange() {
  DevListBox_.setReadButtonDown(false);
  ReadBtnClick();
  // Reports handed over while the readers stop must not reach a record
  // that is being released.
  saitekSwitchPanel_ = nullptr;
  currentDevice_ = nullptr;
  HidCtl_.Release(entries_);
  entries_.clear();
  DevListBox_.clearDeviceEntries();
  HistoryListBox_.clear();
  static_cast<void>(HidCtl_.Enumerate());
  if (!entries_.empty()) {
    DevListBox_.selectDeviceEntry(0);
    DevListBoxClick();
  }
}

void PanelBinding::DevListBoxClick() {
  DevListBox_.setReadButtonDown(false);
  ReadBtnClick();
  HistoryListBox_.clear();
  const int selected = DevListBox_.selectedDeviceEntry();
  if (!DevListBox_.byteEditorsBuilt() || entries_.empty() || selected < 0) {
    return;
  }
  THidDevice* device = deviceAt(selected);
  if (device == nullptr) {
    return;
  }
  if (isSwitchPanel(*device)) {
    saitekSwitchPanel_ = device;
    requestPanelInputReport(*device);
  }
  const int outputLength = device->Caps().OutputReportByteLength;
  if (outputLength > 1) {
    DevListBox_.showByteEditors(outputLength - 1);
  }
}

void PanelBinding::requestPanelInputReport(THidDevice& panel) {
  const uint16_t length = panel.Caps().InputReportByteLength;
  // Never shorter than the report the request may write.
  std::vector<uint8_t> report(std::max<size_t>(kInputRequestBufferSize, length), 0);
  static_cast<void>(panel.GetInputReport(report.data(), length));
  std::string line = formatted("I %.2X  ", report[0]);
  for (size_t i = 1; i < length; ++i) {
    line += formatted("%.2X ", report[i]);
  }
  HistoryListBox_.appendLine(line);
}

void PanelBinding::ReadBtnClick() {
  currentDevice_ = nullptr;
  const int selected = DevListBox_.selectedDeviceEntry();
  if (entries_.empty() || selected < 0) {
    return;
  }
  currentDevice_ = deviceAt(selected);
  if (currentDevice_ != nullptr && !currentDevice_->HasReadWriteAccess()) {
    DevListBox_.setReadButtonDown(false);
  }
}

void PanelBinding::HidCtlDeviceDataError(THidDevice&, uint32_t Error) {
  HistoryListBox_.appendLine("READ ERROR: " + HidCtl_.SysErrorMessage(Error));
}

uint16_t PanelBinding::featureReportByteLength() {
  return saitekSwitchPanel_ != nullptr ? saitekSwitchPanel_->Caps().FeatureReportByteLength : 0;
}

bool PanelBinding::setFeature(const uint8_t* report, int32_t size) {
  return saitekSwitchPanel_ != nullptr && saitekSwitchPanel_->SetFeature(report, size);
}

}  // namespace qv
