#pragma once

#include <string>

namespace qv {

// The raw device console's device list and its companions, as the panel
// binding drives them. The binding keeps the device record of every entry;
// the view shows the entry texts and the selection.
class DeviceListView {
 public:
  virtual ~DeviceListView() = default;

  virtual void addDeviceEntry(const std::string& text) = 0;
  virtual void clearDeviceEntries() = 0;
  // The selected entry's index, -1 when none is selected.
  [[nodiscard]] virtual int selectedDeviceEntry() const = 0;
  virtual void selectDeviceEntry(int index) = 0;

  // ReadBtn, the console's two-state read toggle.
  virtual void setReadButtonDown(bool down) = 0;

  // Edits entry 0 is set: the window has been activated once and the byte
  // editors exist.
  [[nodiscard]] virtual bool byteEditorsBuilt() const = 0;
  // Makes the first `count` byte editors visible; those already visible stay so.
  virtual void showByteEditors(int count) = 0;
};

}  // namespace qv
