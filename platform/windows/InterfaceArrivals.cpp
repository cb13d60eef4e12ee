#include "platform/windows/InterfaceArrivals.h"

// windows.h first: dbt.h uses its types.
#include <dbt.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cwctype>

namespace qv {

std::wstring interfaceKey(std::wstring path) {
  std::transform(path.begin(), path.end(), path.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return path;
}

InterfaceArrivals::InterfaceArrivals(const GUID& interfaceClass)
    : window_(kWindowClass, &InterfaceArrivals::procedure, HWND_MESSAGE, this) {
  if (window_.handle() == nullptr) {
    return;
  }
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = interfaceClass;
  registration_ =
      RegisterDeviceNotificationW(window_.handle(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

InterfaceArrivals::~InterfaceArrivals() {
  if (registration_ != nullptr) {
    static_cast<void>(UnregisterDeviceNotification(registration_));
  }
}

uint32_t InterfaceArrivals::count(const std::wstring& path) const {
  const auto found = arrivals_.find(interfaceKey(path));
  return found != arrivals_.end() ? found->second : 0;
}

LRESULT CALLBACK InterfaceArrivals::procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* const self = HiddenWindow::ownerOf<InterfaceArrivals>(window, kWindowClass);
  // The notice travels in the message's integer parameter.
  const auto* const header = std::bit_cast<const DEV_BROADCAST_HDR*>(lParam);
  if (self != nullptr && message == WM_DEVICECHANGE && wParam == DBT_DEVICEARRIVAL &&
      header != nullptr && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
      header->dbch_size >= offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) {
    const auto* const arrived = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    const size_t room = (header->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) /
                        sizeof(wchar_t);
    ++self->arrivals_[interfaceKey(
        std::wstring(arrived->dbcc_name, wcsnlen(arrived->dbcc_name, room)))];
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace qv
